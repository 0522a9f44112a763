#include "tests/support/DialogHarness.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QScreen>
#include <QTest>
#include <QTimer>

namespace testsupport {

namespace {
int g_unrun = 0;
} // namespace

QRect DialogUnitPixels(const QFont& font, int x, int y, int width, int height)
{
    const QFontMetrics metrics(font);
    const int cx =
        (metrics.horizontalAdvance(QStringLiteral("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ")) /
             26 +
         1) /
        2;
    const int cy = metrics.ascent() + metrics.descent();
    return QRect((x * cx + 2) / 4, (y * cy + 4) / 8, (width * cx + 2) / 4, (height * cy + 4) / 8);
}

void Click(const CDialog& dlg, int id)
{
    QTest::mouseClick(Control<QWidget>(dlg, id), Qt::LeftButton);
}

int HighlightedPixels(QWidget* control)
{
    QWidget* window = control->window();
    const QImage shown = window->screen()->grabWindow(window->winId()).toImage();
    const QRect area(control->mapTo(window, QPoint(0, 0)), control->size());
    const QPalette& palette = control->palette();
    const QRgb active = palette.color(QPalette::Active, QPalette::Highlight).rgb();
    const QRgb inactive = palette.color(QPalette::Inactive, QPalette::Highlight).rgb();
    int count = 0;
    for (int y = area.top(); y <= area.bottom() && y < shown.height(); ++y)
        for (int x = area.left(); x <= area.right() && x < shown.width(); ++x)
            count += shown.pixel(x, y) == active || shown.pixel(x, y) == inactive;
    return count;
}

int RunModal(CDialog& dlg, const std::function<void(QWidget*)>& action, const std::function<int()>& open,
             LeftOpen leftOpen)
{
    ++g_unrun;
    QTimer::singleShot(0, qApp, [&dlg, action, leftOpen] {
        QWidget* window = dlg.GetSafeHwnd();
        if (!window)
            return;
        --g_unrun;
        action(window);
        if (!dlg.GetSafeHwnd() || !dlg.GetSafeHwnd()->isVisible())
            return;
        if (leftOpen == LeftOpen::Cancel)
            dlg.OnCancel();
        else
            dlg.EndDialog(-2);
    });
    return open ? open() : dlg.DoModal();
}

int UnrunModalActions()
{
    return g_unrun;
}

void ForgetUnrunModalActions()
{
    g_unrun = 0;
}

} // namespace testsupport
