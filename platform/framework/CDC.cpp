#include "platform/framework/CDC.h"

#include <QFontMetrics>

#include <algorithm>

CDC::CDC(QPainter* painter) : m_painter(painter)
{
    m_painter->setRenderHint(QPainter::Antialiasing, false);
    m_painter->setRenderHint(QPainter::TextAntialiasing, true);
    Apply();
}

void CDC::Apply()
{
    m_painter->setPen(m_pen ? m_pen->Get() : QPen(Qt::black, 1));
    m_painter->setBrush(m_brush ? m_brush->Get() : QBrush(Qt::white));
}

CPen* CDC::SelectObject(CPen* pen)
{
    CPen* old = m_pen;
    m_pen = pen;
    Apply();
    return old;
}

CBrush* CDC::SelectObject(CBrush* brush)
{
    CBrush* old = m_brush;
    m_brush = brush;
    Apply();
    return old;
}

CFont* CDC::SelectObject(CFont* font)
{
    CFont* old = m_font;
    m_font = font;
    return old;
}

COLORREF CDC::SetBkColor(COLORREF color)
{
    const COLORREF old = m_bkColor;
    m_bkColor = color;
    return old;
}

COLORREF CDC::SetTextColor(COLORREF color)
{
    const COLORREF old = m_textColor;
    m_textColor = color;
    return old;
}

QRectF CDC::ShapeBox(int left, int top, int right, int bottom) const
{
    // GDI's right and bottom edges are exclusive, so a one-pixel outline stays inside the box;
    // a wider solid pen is centred on that outline, as GDI centres geometric pens.
    return QRectF(left, top, right - left - 1, bottom - top - 1);
}

bool CDC::Rectangle(int left, int top, int right, int bottom)
{
    m_painter->drawRect(ShapeBox(left, top, right, bottom));
    return true;
}

bool CDC::Ellipse(int left, int top, int right, int bottom)
{
    const QRectF box = ShapeBox(left, top, right, bottom);
    const QPen pen = m_painter->pen();
    const qreal width = pen.style() == Qt::NoPen ? 0 : pen.widthF();
    if (width > 1 && width >= std::min(box.width(), box.height())) {
        // A pen as wide as the shape covers all of it: GDI paints a solid dot there, where
        // Qt's stroker would leave a hole in the middle.
        const qreal half = width / 2;
        m_painter->save();
        m_painter->setPen(Qt::NoPen);
        m_painter->setBrush(pen.color());
        m_painter->drawEllipse(box.adjusted(-half, -half, half, half));
        m_painter->restore();
        return true;
    }
    m_painter->drawEllipse(box);
    return true;
}

bool CDC::TextOut(int x, int y, const CString& text)
{
    const QFont font = m_font ? m_font->Get() : DefaultDeviceFont();
    const QString qtext = text.ToQString();
    const QFontMetrics metrics(font, m_painter->device());
    const QRect cell(x, y, metrics.horizontalAdvance(qtext), metrics.height());
    m_painter->save();
    m_painter->fillRect(cell, ToQColor(m_bkColor));
    m_painter->setFont(font);
    m_painter->setPen(ToQColor(m_textColor));
    m_painter->drawText(QPoint(x, y + metrics.ascent()), qtext);
    m_painter->restore();
    return true;
}

CPoint CDC::MoveTo(int x, int y)
{
    const CPoint old = m_position;
    m_position = {x, y};
    return old;
}

bool CDC::LineTo(int x, int y)
{
    m_painter->drawLine(QPoint(m_position.x, m_position.y), QPoint(x, y));
    m_position = {x, y};
    return true;
}
