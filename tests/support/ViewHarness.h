#pragma once

// Driving the clock view from tests: a tick at a moment of a fake wall clock, and the face as
// the view paints it at a given time, offscreen.
#include "view/QuillonView.h"

#include <QImage>

#include <cstdint>

namespace testsupport {

// One clock tick at the given moment: the fake wall clock (the variable it reads) is set to it first.
void TickAt(CQuillonView& view, std::int64_t& clock, std::int64_t when);

// The face at this time of day, painted on a white 150 x 150 image.
QImage PaintFace(CQuillonView& view, int hour, int minute, int second);

} // namespace testsupport
