#include "dialogs/ShutdownDlg.h"

#include "platform/framework/CDataExchange.h"
#include "platform/framework/COleDateTime.h"
#include "platform/framework/MessageBox.h"
#include "res/Resource.h"
#include "res/ShutdownTemplate.h"

#include <cstdint>
#include <limits>

bool g_shutdownArmed = false;
bool g_shutdownAtDateTime = false;

namespace {

const CString kCorrectYear = "Please correct the year";

void ShowPosition(const CSliderCtrl& slider, CStatic& label)
{
    CString text;
    text.Format("%d", slider.GetPos());
    label.SetWindowText(text);
}
} // namespace

CShutdownDlg::CShutdownDlg(CWnd* parent) : CDialog(IDD_SHUTDOWN, parent)
{
    ON_BN_CLICKED(IDC_SHUTDOWN_AFTER_DELAY, &CShutdownDlg::OnRadioDelay);
    ON_BN_CLICKED(IDC_SHUTDOWN_AT_DATE_TIME, &CShutdownDlg::OnRadioDateTime);
    ON_BN_CLICKED(IDC_SHUTDOWN_RESTART, &CShutdownDlg::OnRadioRestart);
    ON_BN_CLICKED(IDC_SHUTDOWN_SHUT_DOWN, &CShutdownDlg::OnRadioShutDown);
}

void CShutdownDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SHUTDOWN_AT_DATE_TIME, m_radioDateTime);
    DDX_Control(pDX, IDC_SHUTDOWN_AFTER_DELAY, m_radioDelay);
    DDX_Control(pDX, IDC_SHUTDOWN_RESTART, m_radioRestart);
    DDX_Control(pDX, IDC_SHUTDOWN_SHUT_DOWN, m_radioShutDown);
    DDX_Control(pDX, IDC_SHUTDOWN_DATE, m_datePicker);
    DDX_Control(pDX, IDC_SHUTDOWN_TIME, m_timePicker);
    DDX_Control(pDX, IDC_SHUTDOWN_DATE_LABEL, m_dateLabel);
    DDX_Control(pDX, IDC_SHUTDOWN_TIME_LABEL, m_timeLabel);
    DDX_Control(pDX, IDC_SHUTDOWN_HOURS, m_hoursSlider);
    DDX_Control(pDX, IDC_SHUTDOWN_MINUTES, m_minutesSlider);
    DDX_Control(pDX, IDC_SHUTDOWN_SECONDS, m_secondsSlider);
    DDX_Control(pDX, IDC_SHUTDOWN_HOURS_UNIT, m_hoursUnit);
    DDX_Control(pDX, IDC_SHUTDOWN_MINUTES_UNIT, m_minutesUnit);
    DDX_Control(pDX, IDC_SHUTDOWN_SECONDS_UNIT, m_secondsUnit);
    DDX_Control(pDX, IDC_SHUTDOWN_HOURS_VALUE, m_hoursValue);
    DDX_Control(pDX, IDC_SHUTDOWN_MINUTES_VALUE, m_minutesValue);
    DDX_Control(pDX, IDC_SHUTDOWN_SECONDS_VALUE, m_secondsValue);
    DDX_DateTimeCtrl(pDX, IDC_SHUTDOWN_DATE, m_date);
    DDX_DateTimeCtrl(pDX, IDC_SHUTDOWN_TIME, m_time);
    DDX_Slider(pDX, IDC_SHUTDOWN_HOURS, m_delayHours);
    DDX_Slider(pDX, IDC_SHUTDOWN_MINUTES, m_delayMinutes);
    DDX_Slider(pDX, IDC_SHUTDOWN_SECONDS, m_delaySeconds);
}

void CShutdownDlg::SetupSlider(CSliderCtrl& slider, int maximum, int position, CStatic& label)
{
    slider.SetRange(0, maximum, FALSE);
    slider.SetRangeMax(maximum, TRUE);
    slider.SetPos(position);
    ShowPosition(slider, label);
}

BOOL CShutdownDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    // The committed choice is shown, not the one last clicked.
    m_radioRestart.SetCheck(m_restart ? BST_CHECKED : BST_UNCHECKED);
    m_radioShutDown.SetCheck(m_restart ? BST_UNCHECKED : BST_CHECKED);

    if (m_dateTimeMode && m_dateTimeModeSet) {
        m_radioDateTime.SetCheck(BST_CHECKED);
        m_radioDelay.SetCheck(BST_UNCHECKED);
        EnableModeControls(true);
    } else {
        m_dateTimeMode = false;
        m_radioDelay.SetCheck(BST_CHECKED);
        m_radioDateTime.SetCheck(BST_UNCHECKED);
        EnableModeControls(false);
    }

    // 0 to 24 and 0 to 60 inclusive: a whole day, or a whole hour or minute.
    SetupSlider(m_hoursSlider, 24, m_delayHours, m_hoursValue);
    SetupSlider(m_minutesSlider, 60, m_delayMinutes, m_minutesValue);
    SetupSlider(m_secondsSlider, 60, m_delaySeconds, m_secondsValue);

    // Every opening starts at the current time, never at the scheduled one.
    const CTime now = CTime::GetCurrentTime();
    m_datePicker.SetTime(now);
    m_timePicker.SetTime(now);
    return TRUE;
}

void CShutdownDlg::EnableModeControls(bool dateTime)
{
    for (CWnd* control : {static_cast<CWnd*>(&m_hoursSlider), static_cast<CWnd*>(&m_minutesSlider),
                          static_cast<CWnd*>(&m_secondsSlider), static_cast<CWnd*>(&m_hoursUnit),
                          static_cast<CWnd*>(&m_minutesUnit), static_cast<CWnd*>(&m_secondsUnit),
                          static_cast<CWnd*>(&m_hoursValue), static_cast<CWnd*>(&m_minutesValue),
                          static_cast<CWnd*>(&m_secondsValue)})
        control->EnableWindow(dateTime ? FALSE : TRUE);
    for (CWnd* control : {static_cast<CWnd*>(&m_datePicker), static_cast<CWnd*>(&m_timePicker),
                          static_cast<CWnd*>(&m_dateLabel), static_cast<CWnd*>(&m_timeLabel)})
        control->EnableWindow(dateTime ? TRUE : FALSE);
}

void CShutdownDlg::OnRadioDelay()
{
    m_dateTimeMode = false;
    EnableModeControls(false);
}

void CShutdownDlg::OnRadioDateTime()
{
    m_dateTimeMode = true;
    EnableModeControls(true);
}

void CShutdownDlg::OnRadioRestart()
{
    m_restartChoice = true;
}

void CShutdownDlg::OnRadioShutDown()
{
    m_restartChoice = false;
}

void CShutdownDlg::OnHScroll(UINT code, UINT pos, CWnd* scrollBar)
{
    // The labels follow the sliders; the delay itself is taken only at OK.
    switch (scrollBar ? scrollBar->GetDlgCtrlID() : 0) {
    case IDC_SHUTDOWN_HOURS:
        ShowPosition(m_hoursSlider, m_hoursValue);
        break;
    case IDC_SHUTDOWN_MINUTES:
        ShowPosition(m_minutesSlider, m_minutesValue);
        break;
    case IDC_SHUTDOWN_SECONDS:
        ShowPosition(m_secondsSlider, m_secondsValue);
        break;
    default:
        break;
    }
    CDialog::OnHScroll(code, pos, scrollBar);
}

bool CShutdownDlg::PickedYearTooLate() const
{
    COleDateTime picked;
    m_datePicker.GetTime(picked);
    return picked.GetYear() > 2038;
}

bool CShutdownDlg::PickedMomentInRange() const
{
    CTime date;
    CTime time;
    if (m_datePicker.GetTime(date) != GDT_VALID || m_timePicker.GetTime(time) != GDT_VALID)
        return false;
    std::tm day{};
    std::tm clock{};
    if (!date.GetLocalTm(&day) || !time.GetLocalTm(&clock))
        return false;
    const CTime moment(day.tm_year + 1900, day.tm_mon + 1, day.tm_mday, clock.tm_hour, clock.tm_min,
                       clock.tm_sec);
    return moment.IsValid() && moment.GetTime() >= 0 &&
           moment.GetTime() <= std::numeric_limits<std::int32_t>::max();
}

void CShutdownDlg::OnOK()
{
    m_restart = m_restartChoice;
    if (m_dateTimeMode) {
        m_dateTimeModeSet = true;
        if (PickedYearTooLate() || !PickedMomentInRange()) {
            AfxMessageBox(kCorrectYear, MB_OK);
            return;
        }
        g_shutdownAtDateTime = true;
    } else {
        m_dateTimeModeSet = false;
        m_startTime = CTime::GetCurrentTime();
        g_shutdownAtDateTime = false;
    }
    g_shutdownArmed = true;
    CDialog::OnOK();
}

void CShutdownDlg::OnCancel()
{
    if (m_dateTimeMode && PickedYearTooLate()) {
        AfxMessageBox(kCorrectYear, MB_OK);
        return;
    }
    CDialog::OnCancel();
}
