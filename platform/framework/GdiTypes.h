#pragma once

#include <QColor>
#include <QPoint>
#include <QRect>

#include <cstdint>

using COLORREF = std::uint32_t;

constexpr COLORREF RGB(int r, int g, int b)
{
    return static_cast<COLORREF>((r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16));
}
inline QColor ToQColor(COLORREF c)
{
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

struct CPoint
{
    int x = 0;
    int y = 0;
    bool operator==(const CPoint&) const = default;
};

// GDI rectangle: right and bottom are exclusive.
struct CRect
{
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CPoint CenterPoint() const { return {(left + right) / 2, (top + bottom) / 2}; }
    QRect ToQRect() const { return QRect(left, top, Width(), Height()); }
    bool operator==(const CRect&) const = default;
};
