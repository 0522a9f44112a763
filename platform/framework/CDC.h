#pragma once

#include "platform/framework/CString.h"
#include "platform/framework/GdiObjects.h"
#include "platform/framework/GdiTypes.h"

#include <QPainter>

// Device context over a QPainter (a widget, a printer or a QImage) with GDI's semantics:
// shapes fill with the selected brush and are outlined with the selected pen inside their
// rectangle, whose right and bottom edges are exclusive; text is placed by its top-left cell on the
// background colour.
class CDC
{
public:
    explicit CDC(QPainter* painter);

    CPen* SelectObject(CPen* pen);
    CBrush* SelectObject(CBrush* brush);
    CFont* SelectObject(CFont* font);

    COLORREF SetBkColor(COLORREF color);
    COLORREF SetTextColor(COLORREF color);

    bool Rectangle(int left, int top, int right, int bottom);
    bool Rectangle(const CRect& r) { return Rectangle(r.left, r.top, r.right, r.bottom); }
    bool Ellipse(int left, int top, int right, int bottom);
    bool Ellipse(const CRect& r) { return Ellipse(r.left, r.top, r.right, r.bottom); }
    bool TextOut(int x, int y, const CString& text);
    CPoint MoveTo(int x, int y);
    bool LineTo(int x, int y);

private:
    void Apply();
    QRectF ShapeBox(int left, int top, int right, int bottom) const;

    QPainter* m_painter;
    CPen* m_pen = nullptr;     // null: the stock black pen of one pixel
    CBrush* m_brush = nullptr; // null: the stock white brush
    CFont* m_font = nullptr;   // null: the device's default font
    COLORREF m_bkColor = RGB(255, 255, 255);
    COLORREF m_textColor = RGB(0, 0, 0);
    CPoint m_position;
};
