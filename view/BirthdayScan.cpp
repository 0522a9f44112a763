#include "view/QuillonView.h"

#include "data/BirthdayNotice.h"
#include "data/BirthdayRules.h"
#include "platform/system/DesktopNotification.h"
#include "res/Resource.h"

#include <ctime>

namespace {
constexpr int kMillisecondsPerHour = 3'600'000;

void CopyContacts(const CContactList& from, const std::vector<int>& indexes, CContactList& to)
{
    to.RemoveAll();
    for (int index : indexes)
        if (index >= 0 && index < from.GetCount())
            to.Add(from[index]);
}
} // namespace

void CQuillonView::ScanBirthdays()
{
    std::tm local{};
    if (m_now.GetLocalTm(&local)) {
        const CalendarDay today{local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
        const BirthdayMatches found = FindBirthdays(m_notebookDlg.m_contacts, today);
        m_todayIndexes.insert(m_todayIndexes.end(), found.today.begin(), found.today.end());
        m_tomorrowIndexes.insert(m_tomorrowIndexes.end(), found.tomorrow.begin(), found.tomorrow.end());
    }
    // Stopped before the reminder's modal loop, so that no scan ever runs inside another.
    KillTimer(ID_TIMER_BIRTHDAYS);
    ShowBirthdayReminders();
}

void CQuillonView::ShowBirthdayReminders()
{
    const bool found = !m_todayIndexes.empty() || !m_tomorrowIndexes.empty();
    CopyContacts(m_notebookDlg.m_contacts, m_todayIndexes, m_holidaysDlg.m_todayContacts);
    m_todayIndexes.clear();
    CopyContacts(m_notebookDlg.m_contacts, m_tomorrowIndexes, m_holidaysDlg.m_tomorrowContacts);
    m_tomorrowIndexes.clear();

    if (found) {
        // Also for a user away from the screen: it stays in the desktop's history. Without a
        // notification service nothing is sent and the dialog alone tells.
        SendDesktopNotification(kBirthdayNoticeSummary, BirthdayNoticeBody(m_holidaysDlg.m_todayContacts,
                                                                           m_holidaysDlg.m_tomorrowContacts));
        m_holidaysDlg.DoModal();
    }

    if (m_holidaysDlg.m_dontNotify == 0) {
        // The dialog keeps the hours between 1 and 12; a zero would scan without pause.
        const int hours = m_holidaysDlg.m_remindHours < 1 ? 1 : m_holidaysDlg.m_remindHours;
        SetTimer(ID_TIMER_BIRTHDAYS, static_cast<UINT>(hours * kMillisecondsPerHour));
    }
}
