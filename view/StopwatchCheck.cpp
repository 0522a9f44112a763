#include "data/StopwatchRules.h"
#include "platform/framework/MessageBox.h"
#include "platform/system/Beep.h"
#include "view/QuillonView.h"

void CQuillonView::OnClockTimer()
{
    m_timerDlg.DoModal();
}

void CQuillonView::CheckStopwatch()
{
    const int elapsed = ElapsedSeconds(m_now, m_timerDlg.m_startSecond, m_timerDlg.m_startedAt);
    const bool due = IsNotificationDue(elapsed, g_notifyHours, g_notifyMinutes, g_notifySeconds);

    if (g_timerShowing) {
        if (!g_timerReset) {
            // The open dialog already draws the eye; one beep is enough.
            if (due) {
                MessageBeep(MB_ICONHAND);
                AfxMessageBox(FormatElapsed(elapsed), MB_OK);
            }
            m_timerDlg.m_elapsedText.Empty();
            m_timerDlg.m_elapsedText = FormatElapsed(elapsed);
            m_timerDlg.UpdateData(FALSE);
            g_timerIdle = false;
        }
        // Closed while the box was up: the count now runs in the background, so go on below.
        if (g_timerShowing)
            return;
    }

    if (!g_timerPaused && due) {
        // Nobody is looking at the dialog: ring long enough to be heard across the room.
        for (int i = 0; i < 10; ++i)
            MessageBeep(MB_ICONHAND);
        AfxMessageBox(FormatElapsed(elapsed), MB_OK);
    }
}
