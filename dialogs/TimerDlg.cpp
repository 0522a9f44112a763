#include "dialogs/TimerDlg.h"

#include "data/StopwatchRules.h"
#include "platform/framework/CDataExchange.h"
#include "res/Resource.h"
#include "res/TimerTemplate.h"

bool g_timerShowing = false;
bool g_timerReset = false;
bool g_timerPaused = false;
bool g_timerIdle = true;
int g_pausedElapsed = 0;
int g_notifyHours = 0;
int g_notifyMinutes = 0;
int g_notifySeconds = 0;

CTimerDlg::CTimerDlg() : CDialog(IDD_TIMER)
{
    ON_BN_CLICKED(IDC_TIMER_EXIT, &CTimerDlg::OnExit);
    ON_BN_CLICKED(IDC_TIMER_STOP, &CTimerDlg::OnStop);
    ON_BN_CLICKED(IDC_TIMER_GO, &CTimerDlg::OnGo);
}

void CTimerDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_TIMER_SECONDS, m_secondsSlider);
    DDX_Control(pDX, IDC_TIMER_MINUTES, m_minutesSlider);
    DDX_Control(pDX, IDC_TIMER_HOURS, m_hoursSlider);
    DDX_Control(pDX, IDC_TIMER_EXIT, m_exitButton);
    DDX_Control(pDX, IDC_TIMER_STOP, m_stopButton);
    DDX_Control(pDX, IDC_TIMER_GO, m_goButton);
    DDX_Control(pDX, IDC_TIMER_ELAPSED, m_elapsedStatic);
    DDX_Text(pDX, IDC_TIMER_ELAPSED, m_elapsedText);
    DDX_Text(pDX, IDC_TIMER_HOURS_LABEL, m_hoursText);
    DDX_Text(pDX, IDC_TIMER_MINUTES_LABEL, m_minutesText);
    DDX_Text(pDX, IDC_TIMER_SECONDS_LABEL, m_secondsText);
}

void CTimerDlg::ShowRunningButtons(bool running)
{
    m_goButton.EnableWindow(running ? FALSE : TRUE);
    m_exitButton.EnableWindow(running ? TRUE : FALSE);
    m_stopButton.EnableWindow(running ? TRUE : FALSE);
}

BOOL CTimerDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    // 0..24 and 0..60 inclusive; the minimum stays at the trackbar's 0.
    m_hoursSlider.SetRangeMax(24, FALSE);
    m_minutesSlider.SetRangeMax(60, FALSE);
    m_secondsSlider.SetRangeMax(60, FALSE);
    // The notification time outlives the window; its labels stay blank until a slider moves.
    m_hoursSlider.SetPos(g_notifyHours);
    m_minutesSlider.SetPos(g_notifyMinutes);
    m_secondsSlider.SetPos(g_notifySeconds);

    if (!g_timerReset && !g_timerIdle && !g_timerPaused) {
        // Running: the display keeps the tick's last text until the next tick replaces it.
        g_timerShowing = true;
        ShowRunningButtons(true);
    } else {
        m_elapsedText = FormatElapsed(g_pausedElapsed);
        ShowRunningButtons(false);
    }
    UpdateData(FALSE);
    return TRUE;
}

void CTimerDlg::OnGo()
{
    ShowRunningButtons(true);
    g_timerShowing = true;
    m_startedAt = CTime::GetCurrentTime();
    m_startSecond = TimeOfDay(m_startedAt);
    if (g_timerPaused)
        m_startSecond -= g_pausedElapsed; // resume from the paused count
    g_timerPaused = false;
    g_timerReset = false;
}

void CTimerDlg::OnStop()
{
    g_timerPaused = true;
    g_timerShowing = false;
    m_goButton.EnableWindow(TRUE);
    m_stopButton.EnableWindow(FALSE);
    // The display keeps the last tick's text.
    g_pausedElapsed = ElapsedSeconds(CTime::GetCurrentTime(), m_startSecond, m_startedAt);
}

void CTimerDlg::OnExit()
{
    m_goButton.EnableWindow(TRUE);
    m_exitButton.EnableWindow(FALSE);
    m_stopButton.EnableWindow(FALSE);
    g_timerShowing = false;
    m_elapsedText = "0:00:00";
    m_startSecond = 0;
    m_startedAt = CTime();
    UpdateData(FALSE);
    g_pausedElapsed = 0;
    g_timerReset = true;
}

void CTimerDlg::OnHScroll(UINT code, UINT pos, CWnd* scrollBar)
{
    const int id = scrollBar ? scrollBar->GetDlgCtrlID() : 0;
    if (id == IDC_TIMER_HOURS) {
        g_notifyHours = m_hoursSlider.GetPos();
        m_hoursText.Format("%d", g_notifyHours);
    } else if (id == IDC_TIMER_MINUTES) {
        g_notifyMinutes = m_minutesSlider.GetPos();
        m_minutesText.Format("%d", g_notifyMinutes);
    } else if (id == IDC_TIMER_SECONDS) {
        g_notifySeconds = m_secondsSlider.GetPos();
        m_secondsText.Format("%d", g_notifySeconds);
    }
    UpdateData(FALSE);
    CDialog::OnHScroll(code, pos, scrollBar);
}

// Closing never stops a count: only the display refresh ends with the window.
void CTimerDlg::OnOK()
{
    g_timerShowing = false;
    CDialog::OnOK();
}

void CTimerDlg::OnCancel()
{
    g_timerShowing = false;
    CDialog::OnCancel();
}

void CTimerDlg::OnClose()
{
    g_timerShowing = false;
    CDialog::OnClose();
}
