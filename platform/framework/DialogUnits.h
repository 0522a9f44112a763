#pragma once

#include <QFont>
#include <QRect>

namespace platform {

// A dialog's base units: the average width of its font's characters and the font's height,
// in pixels; the templates' coordinates are quarters and eighths of them.
struct DialogBaseUnits
{
    int cx = 0;
    int cy = 0;
};

// The font a template names, as it exists here: "MS Sans Serif" (and "MS Shell Dlg") are the
// desktop's sans-serif face at the same point size.
QFont DialogFont(const char* faceName, int pointSize);

// Average width of the 52 letters a-z A-Z, rounded; height = ascent + descent.
DialogBaseUnits MeasureBaseUnits(const QFont& font);

// (a * b) / c rounded half away from zero, without overflow; -1 when c is 0.
int MulDiv(int a, int b, int c);

// A rectangle in dialog units to pixels: x * cx / 4, y * cy / 8.
QRect MapDialogRect(const QRect& units, const DialogBaseUnits& base);

} // namespace platform
