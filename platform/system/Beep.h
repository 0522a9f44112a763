#pragma once

#include "platform/framework/AfxWin.h"

#include <functional>

// The display's bell, as MessageBeep sounds the system's.
bool MessageBeep(UINT type);

namespace platform {
// Tests count beeps through this seam instead of ringing the bell.
using BeepHandler = std::function<void(UINT type)>;
void SetBeepHandlerForTesting(BeepHandler handler);
} // namespace platform
