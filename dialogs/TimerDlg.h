#pragma once

#include "platform/framework/CButton.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CSliderCtrl.h"
#include "platform/framework/CStatic.h"
#include "platform/framework/CString.h"
#include "platform/framework/CTime.h"

// The stopwatch's record, shared with the clock tick that measures the count and notifies.
extern bool g_timerShowing; // the dialog is open on a running count: the tick refreshes it
extern bool g_timerReset;   // reset with Exit and not started since
extern bool g_timerPaused;  // paused with Stop and not resumed since
extern bool g_timerIdle;    // no open dialog has shown a running count since start-up
extern int g_pausedElapsed; // elapsed seconds at the last Stop; 0 after Exit
extern int g_notifyHours;   // the notification time; 0:00:00 means none
extern int g_notifyMinutes;
extern int g_notifySeconds;

// The Timer dialog: a stopwatch with a notification time. It only records the start of the
// count and its state; the clock tick computes the elapsed time and shows it here.
class CTimerDlg : public CDialog
{
public:
    CTimerDlg();

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnClose() override;
    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;

    void OnGo();
    void OnStop();
    void OnExit();

    CSliderCtrl m_hoursSlider;
    CSliderCtrl m_minutesSlider;
    CSliderCtrl m_secondsSlider;
    CButton m_goButton;
    CButton m_stopButton;
    CButton m_exitButton;
    CStatic m_elapsedStatic;

    CString m_elapsedText{"0:00:00"};
    CString m_hoursText;
    CString m_minutesText;
    CString m_secondsText;
    // Time of day the count started, moved back by the paused count on a resume, so that
    // elapsed = time of day - m_startSecond on a plain day.
    int m_startSecond = 0;
    // The moment of the last Go, from which a running count is measured in real seconds, so
    // it carries across midnight and a summer-time change; CTime() before a Go and after Exit.
    CTime m_startedAt;

private:
    void ShowRunningButtons(bool running);
};
