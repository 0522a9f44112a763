#include "view/QuillonView.h"

#include "platform/framework/MessageBox.h"
#include "platform/system/Shutdown.h"
#include "view/ShutdownNotice.h"

#include <ctime>

namespace {
const CString kShutdownMessage = "Click on the main window and press the Escape key to cancel shutdown.";
constexpr UINT kShutdownTimeoutSeconds = 10;

platform::ShutdownAction ActionOf(bool restart)
{
    return restart ? platform::ShutdownAction::Reboot : platform::ShutdownAction::PowerOff;
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
    // Every step runs even when an earlier one failed; each failure shows its own message.
    const auto action = ActionOf(restart);
    ProcessToken token;
    if (!OpenProcessToken(token))
        AfxMessageBox("OpenProcessToken failed.", MB_OK);

    LUID luid;
    LookupPrivilegeValue(SE_SHUTDOWN_NAME, luid);
    AdjustTokenPrivileges(token, true, action);
    if (GetLastError() != ERROR_SUCCESS)
        AfxMessageBox("AdjustTokenPrivileges enable failed.", MB_OK);

    if (InitiateSystemShutdown(kShutdownMessage, kShutdownTimeoutSeconds, false, restart)) {
        // The system shows nothing on a desktop, so the countdown is ours to show.
        if (!m_shutdownNotice)
            m_shutdownNotice = new CShutdownNotice(this);
        m_shutdownNotice->Start(kShutdownMessage, restart, static_cast<int>(kShutdownTimeoutSeconds),
                                [this] { OnKeyDown(VK_ESCAPE, 1, 0); });
    } else {
        AfxMessageBox("InitiateSystemShutdown failed.", MB_OK);
    }

    AdjustTokenPrivileges(token, false, action);
    if (GetLastError() != ERROR_SUCCESS)
        AfxMessageBox("AdjustTokenPrivileges disable failed.", MB_OK);
}

void CQuillonView::KeepNoticeWhilePending()
{
    // The notice's Cancel closes it at once; when the system refused the cancel (a password
    // prompt dismissed), the shutdown still comes, so the countdown must come back.
    platform::PendingShutdown pending;
    if (!m_shutdownNotice || m_shutdownNotice->isVisible() || m_shutdownNotice->SecondsLeft() <= 0 ||
        !IsSystemShutdownPending(&pending))
        return;
    m_shutdownNotice->Start(kShutdownMessage, pending.type.contains(QLatin1String("reboot")),
                            m_shutdownNotice->SecondsLeft(), [this] { OnKeyDown(VK_ESCAPE, 1, 0); });
}

void CQuillonView::OnKeyDown(UINT key, UINT repeatCount, UINT flags)
{
    if (key == VK_ESCAPE) {
        const auto action = ActionOf(m_shutdownDlg.m_restart);
        ProcessToken token;
        if (!OpenProcessToken(token))
            AfxMessageBox("OpenProcessToken failed.", MB_OK);

        LUID luid;
        LookupPrivilegeValue(SE_SHUTDOWN_NAME, luid);
        AdjustTokenPrivileges(token, true, action);
        if (GetLastError() != ERROR_SUCCESS)
            AfxMessageBox("AdjustTokenPrivileges enable failed.", MB_OK);

        if (AbortSystemShutdown()) {
            if (m_shutdownNotice)
                m_shutdownNotice->Stop();
        } else {
            AfxMessageBox("AbortSystemShutdown failed.", MB_OK);
            KeepNoticeWhilePending();
        }

        AdjustTokenPrivileges(token, false, action);
        if (GetLastError() != ERROR_SUCCESS)
            AfxMessageBox("AdjustTokenPrivileges disable failed.", MB_OK);
    }
    CView::OnKeyDown(key, repeatCount, flags);
}
