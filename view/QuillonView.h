#pragma once

#include "dialogs/HolidaysDlg.h"
#include "dialogs/NotebookDlg.h"
#include "dialogs/ShutdownDlg.h"
#include "dialogs/SystemInfoDlg.h"
#include "dialogs/TimerDlg.h"
#include "platform/framework/CTime.h"
#include "platform/framework/CView.h"

#include <vector>

class CQuillonDoc;
class CShutdownNotice;

// The clock window: paints the face, owns the program's dialogs and runs everything that
// happens by time from its two window timers.
class CQuillonView : public CView
{
    Q_OBJECT

public:
    CQuillonView();
    ~CQuillonView() override;

    CQuillonDoc* GetDocument() const;

    void OnInitialUpdate() override;
    void OnDraw(CDC* dc) override;
    // The time as the digital line shows it.
    CString GetAccessibleText() const override;
    void OnTimer(UINT id) override;
    void OnKeyDown(UINT key, UINT repeatCount, UINT flags) override;
    bool OnPreparePrinting(CPrintInfo* info) override;
    bool OnCmdMsg(UINT id) override;

    void OnClockShutdown();
    void OnClockNotebook();
    void OnClockTimer();
    void OnClockSystemInfo();

    // Run by the clock tick after the clock is refreshed, in this order.
    void CheckScheduledShutdown();
    void ShutdownComputer(bool restart);
    void CheckStopwatch();
    // Run by the slow timer.
    void ScanBirthdays();
    void ShowBirthdayReminders();

    std::vector<int> m_todayIndexes;
    std::vector<int> m_tomorrowIndexes;
    CShutdownDlg m_shutdownDlg;
    CNotebookDlg m_notebookDlg;
    CHolidaysDlg m_holidaysDlg;
    CTimerDlg m_timerDlg;
    CSystemInfoDlg m_systemInfoDlg;
    CString m_timeText;
    CPoint m_secondTip;
    CPoint m_minuteTip;
    CPoint m_hourTip;
    CRect m_dialRect{12, 12, 88, 88};
    CRect m_ringRect{5, 5, 95, 95};
    CRect m_digitalRect{6, 108, 95, 128};
    CTime m_now;
    int m_second = 0;
    int m_minute = 0;
    int m_hour = 0;
    int m_secondLength = 0;
    int m_minuteLength = 0;
    int m_hourLength = 0;
    // Made on the first request; a window of its own, owned by the view.
    CShutdownNotice* m_shutdownNotice = nullptr;

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void DrawHand(CDC* dc, CPen* pen, CPoint& tip, int length, int units);
    void OnClockTick();
    CShutdownNotice& Notice();
};
