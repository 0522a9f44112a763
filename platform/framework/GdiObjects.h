#pragma once

#include "platform/framework/CString.h"
#include "platform/framework/GdiTypes.h"

#include <QBrush>
#include <QFont>
#include <QPen>

enum PenStyle
{
    PS_SOLID = 0
};
enum FontWeight
{
    FW_NORMAL = 400,
    FW_BOLD = 700
};

// A pen, brush or font made for one paint; the device context borrows it while selected.
class CPen
{
public:
    CPen(int style, int width, COLORREF color);
    const QPen& Get() const { return m_pen; }

private:
    QPen m_pen;
};

class CBrush
{
public:
    explicit CBrush(COLORREF color) : m_brush(ToQColor(color)) {}
    const QBrush& Get() const { return m_brush; }

private:
    QBrush m_brush;
};

class CFont
{
public:
    // CreateFont's parameters that matter on this platform: a positive height is the cell
    // height in pixels, a non-zero width the average character width.
    bool CreateFont(int height, int width, int escapement, int orientation, int weight, bool italic,
                    bool underline, bool strikeOut, int charSet, int outPrecision, int clipPrecision,
                    int quality, int pitchAndFamily, const char* faceName);
    const QFont& Get() const { return m_font; }

private:
    QFont m_font;
};

// The font a device context starts with: a bold sans-serif of the system font's cell size.
QFont DefaultDeviceFont();
