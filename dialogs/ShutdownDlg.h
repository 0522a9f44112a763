#pragma once

#include "platform/framework/CButton.h"
#include "platform/framework/CDateTimeCtrl.h"
#include "platform/framework/CDialog.h"
#include "platform/framework/CSliderCtrl.h"
#include "platform/framework/CStatic.h"
#include "platform/framework/CTime.h"

// The schedule the clock tick acts on. Set by every OK that closes the scheduler; nothing
// clears g_shutdownArmed again.
extern bool g_shutdownArmed;
extern bool g_shutdownAtDateTime; // true: at m_date/m_time, false: after the delay

// "Restart and Shut Down": records a shutdown or restart after a delay or at a date and
// time. It never shuts anything down itself; the view's clock tick does, from the committed
// values below. The object lives with the view, so the values survive between openings.
class CShutdownDlg : public CDialog
{
public:
    explicit CShutdownDlg(CWnd* parent = nullptr);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    void OnHScroll(UINT code, UINT pos, CWnd* scrollBar) override;

    void EnableModeControls(bool dateTime);
    void OnRadioDelay();
    void OnRadioDateTime();
    void OnRadioRestart();
    void OnRadioShutDown();

    // Pending values follow the radio buttons; committed ones change only at OK.
    bool m_dateTimeMode = false;
    bool m_dateTimeModeSet = true;
    bool m_restartChoice = false;
    bool m_restart = false;
    CTime m_startTime;
    CTime m_date;
    CTime m_time;
    int m_delayHours = 0;
    int m_delayMinutes = 0;
    int m_delaySeconds = 0;

    CButton m_radioDateTime;
    CButton m_radioDelay;
    CButton m_radioRestart;
    CButton m_radioShutDown;
    CDateTimeCtrl m_datePicker;
    CDateTimeCtrl m_timePicker;
    CStatic m_dateLabel;
    CStatic m_timeLabel;
    CSliderCtrl m_hoursSlider;
    CSliderCtrl m_minutesSlider;
    CSliderCtrl m_secondsSlider;
    CStatic m_hoursUnit;
    CStatic m_minutesUnit;
    CStatic m_secondsUnit;
    CStatic m_hoursValue;
    CStatic m_minutesValue;
    CStatic m_secondsValue;

private:
    // The date picker's year is past what the schedule can hold ("Please correct the year").
    bool PickedYearTooLate() const;
    // The picked date and time name a moment the schedule can hold: 1970 up to
    // 19 January 2038, 03:14:07 UTC.
    bool PickedMomentInRange() const;
    static void SetupSlider(CSliderCtrl& slider, int maximum, int position, CStatic& label);
};
