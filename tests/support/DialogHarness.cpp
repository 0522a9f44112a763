#include "tests/support/DialogHarness.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

namespace testsupport {

namespace {
int g_unrun = 0;
} // namespace

void Click(const CDialog& dlg, int id)
{
    QTest::mouseClick(Control<QWidget>(dlg, id), Qt::LeftButton);
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
