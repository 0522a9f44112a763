#pragma once

#include "platform/framework/AfxWin.h"

#include <functional>

// The display's bell and the sound theme's, as MessageBeep sounds the system's. It never
// waits: a beep asked for while the last one still sounds rings a moment later from the event
// loop, so that ten in a row are heard as ten while the clock goes on ticking.
bool MessageBeep(UINT type);

namespace platform {
// The least time between two rings.
constexpr int kBeepSpacingMs = 250;

// Tests count beeps through this seam instead of ringing the bell. Returns the handler it
// replaces, as the bell's seam below does its sound.
using BeepHandler = std::function<void(UINT type)>;
BeepHandler SetBeepHandlerForTesting(BeepHandler handler);
// Tests hear the rings themselves, spacing included, through this seam; an empty function
// brings the bells back.
using BellSound = std::function<void()>;
BellSound SetBellForTesting(BellSound sound);
} // namespace platform
