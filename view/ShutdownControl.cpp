#include "view/QuillonView.h"

#include "platform/framework/MessageBox.h"
#include "platform/system/Shutdown.h"
#include "view/ShutdownNotice.h"

#include <ctime>

namespace {
const CString kShutdownMessage = "Click on the main window and press the Escape key to cancel shutdown.";
constexpr UINT kShutdownTimeoutSeconds = 10;

// Runs step with the shutdown privilege taken for restart or power-off, and gives it up after.
// Every part runs even when an earlier one failed; each failure shows its own message.
template <typename Step> void WithShutdownPrivilege(bool restart, Step step)
{
    const auto action = restart ? platform::ShutdownAction::Reboot : platform::ShutdownAction::PowerOff;
    ProcessToken token;
    if (!OpenProcessToken(token))
        AfxMessageBox("OpenProcessToken failed.", MB_OK);

    LUID luid;
    LookupPrivilegeValue(SE_SHUTDOWN_NAME, luid);
    AdjustTokenPrivileges(token, true, action);
    if (GetLastError() != ERROR_SUCCESS)
        AfxMessageBox("AdjustTokenPrivileges enable failed.", MB_OK);

    step();

    AdjustTokenPrivileges(token, false, action);
    if (GetLastError() != ERROR_SUCCESS)
        AfxMessageBox("AdjustTokenPrivileges disable failed.", MB_OK);
}
} // namespace

void CQuillonView::OnClockShutdown()
{
    m_shutdownDlg.DoModal();
}

void CQuillonView::CheckScheduledShutdown()
{
    if (!g_shutdownArmed)
        return;
    if (g_shutdownAtDateTime) {
        // A target without a local time can never come due; the tick goes on.
        std::tm now{};
        std::tm date{};
        std::tm time{};
        if (!m_now.GetLocalTm(&now) || !m_shutdownDlg.m_date.GetLocalTm(&date) ||
            !m_shutdownDlg.m_time.GetLocalTm(&time))
            return;
        if (date.tm_year == now.tm_year && date.tm_mon == now.tm_mon && date.tm_mday == now.tm_mday &&
            time.tm_hour == now.tm_hour && time.tm_min == now.tm_min && time.tm_sec == now.tm_sec)
            ShutdownComputer(m_shutdownDlg.m_restart);
        return;
    }
    // Times of day, not moments: a delay that runs past midnight gives a negative
    // difference and never matches, and after a cancel the same clock time matches again
    // the next day.
    const int elapsed = m_hour * 3600 + m_minute * 60 + m_second - TimeOfDay(m_shutdownDlg.m_startTime);
    const int delay =
        m_shutdownDlg.m_delayHours * 3600 + m_shutdownDlg.m_delayMinutes * 60 + m_shutdownDlg.m_delaySeconds;
    if (elapsed == delay)
        ShutdownComputer(m_shutdownDlg.m_restart);
}

void CQuillonView::ShutdownComputer(bool restart)
{
    const auto onCancel = [this] { OnKeyDown(VK_ESCAPE, 1, 0); };
    WithShutdownPrivilege(restart, [&] {
        if (InitiateSystemShutdown(kShutdownMessage, kShutdownTimeoutSeconds, false, restart)) {
            // The system shows nothing on a desktop, so the countdown is ours to show.
            Notice().Start(kShutdownMessage, restart, onCancel);
        } else {
            // Unanswered is not refused: should the system still agree, the countdown shows then.
            if (GetLastError() == ERROR_TIMEOUT)
                Notice().Await(kShutdownMessage, restart, onCancel);
            AfxMessageBox("InitiateSystemShutdown failed.", MB_OK);
        }
    });
}

CShutdownNotice& CQuillonView::Notice()
{
    if (!m_shutdownNotice)
        m_shutdownNotice = new CShutdownNotice(this);
    return *m_shutdownNotice;
}

void CQuillonView::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (key == VK_ESCAPE) {
        WithShutdownPrivilege(m_shutdownDlg.m_restart, [this] {
            if (AbortSystemShutdown()) {
                if (m_shutdownNotice)
                    m_shutdownNotice->Stop();
            } else {
                AfxMessageBox("AbortSystemShutdown failed.", MB_OK);
                // Still pending (a password prompt dismissed): the countdown shows the time the
                // system holds, whatever the message box took.
                if (m_shutdownNotice)
                    m_shutdownNotice->Refresh();
            }
        });
    }
    CView::OnKeyDown(key, repeatCount, flags);
}
