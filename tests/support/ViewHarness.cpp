#include "tests/support/ViewHarness.h"
#include "res/Resource.h"

#include <QPainter>

namespace testsupport {

void TickAt(CQuillonView& view, std::int64_t& clock, std::int64_t when)
{
    clock = when;
    view.OnTimer(ID_TIMER_CLOCK);
}

QImage PaintFace(CQuillonView& view, int hour, int minute, int second)
{
    view.m_hour = hour;
    view.m_minute = minute;
    view.m_second = second;
    QImage image(150, 150, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    CDC dc(&painter);
    view.OnDraw(&dc);
    return image;
}

} // namespace testsupport
