#include "platform/framework/GroupBox.h"

#include <QPainter>

namespace platform {

GroupBox::GroupBox(bool flat, QWidget* parent) : QGroupBox(parent), m_flat(flat)
{
    setAttribute(Qt::WA_TransparentForMouseEvents); // it only frames what lies on it
}

void GroupBox::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const int top = metrics.height() / 2;
    const QRect frame(0, top, width() - 1, height() - top - 1);
    const QPalette& colours = palette();
    if (m_flat) {
        painter.setPen(colours.color(QPalette::Dark));
        painter.drawRect(frame);
    } else {
        // Etched: a dark line with a light one just inside and below it.
        painter.setPen(colours.color(QPalette::Light));
        painter.drawRect(frame.adjusted(1, 1, 0, 0));
        painter.setPen(colours.color(QPalette::Dark));
        painter.drawRect(frame.adjusted(0, 0, -1, -1));
    }
    const QString text = title();
    if (text.isEmpty())
        return;
    // The title interrupts the line, one average character in from the left edge.
    const int indent = metrics.averageCharWidth();
    const QRect textBox(indent, 0, metrics.horizontalAdvance(text) + 2, metrics.height());
    painter.fillRect(textBox, colours.color(QPalette::Window));
    painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(textBox.adjusted(1, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic, text);
}

} // namespace platform
