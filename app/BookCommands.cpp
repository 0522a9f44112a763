#include "app/BookCommands.h"

#include "data/ContactBookFile.h"
#include "data/NotebookRules.h"
#include "platform/framework/CTime.h"

#include <cerrno>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <unistd.h>

namespace bookcommands {

std::string EscapeField(const CString& field)
{
    std::string out;
    for (const char c : field.Bytes()) {
        switch (c) {
        case '\t':
            out += "\\t";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\\':
            out += "\\\\";
            break;
        default:
            out += c;
        }
    }
    return out;
}

std::string FormatContactLine(const CContact& contact)
{
    const CString* fields[] = {&contact.m_strFirstName, &contact.m_strLastName, &contact.m_strTel,
                               &contact.m_strEMail, &contact.m_strText};
    std::string line = EscapeField(FormatBirthdayText(contact.m_dtBirthday));
    for (const CString* field : fields)
        line += '\t' + EscapeField(*field);
    return line;
}

std::optional<CalendarDay> ParseDate(const std::string& text)
{
    if (text.size() != 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (i != 4 && i != 7 && (text[i] < '0' || text[i] > '9'))
            return std::nullopt;
    const CalendarDay day{std::stoi(text.substr(0, 4)), std::stoi(text.substr(5, 2)),
                          std::stoi(text.substr(8, 2))};
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (day.year < 1 || day.month < 1 || day.month > 12 || day.day < 1)
        return std::nullopt;
    const int last = kDays[day.month - 1] + (day.month == 2 && IsLeapYear(day.year) ? 1 : 0);
    if (day.day > last)
        return std::nullopt;
    return day;
}

CalendarDay LocalToday()
{
    std::tm local{};
    CTime::GetCurrentTime().GetLocalTm(&local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

bool ReadBook(const std::string& path, CContactList& contacts, std::string& error)
{
    // The loader would create a missing book; from the command line that is an error.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        error = "cannot read the contact book '" + path + "': " + std::strerror(errno);
        return false;
    }
    ::close(fd);
    ContactBookFile book{CString(path.c_str())};
    const ContactBookFile::LoadResult result = book.Load(&contacts);
    switch (result.outcome) {
    case ContactBookFile::LoadResult::Outcome::loaded:
        return true;
    case ContactBookFile::LoadResult::Outcome::damaged:
        error = "the contact book '" + path + "' is damaged: " + result.details.Describe().Bytes();
        return false;
    case ContactBookFile::LoadResult::Outcome::failed:
        break;
    }
    error = result.message.Bytes();
    return false;
}

int ListContacts(const std::string& path, std::ostream& out, std::ostream& err)
{
    CContactList contacts;
    std::string error;
    if (!ReadBook(path, contacts, error)) {
        err << "quillon: " << error << '\n';
        return 1;
    }
    for (const CContact& contact : contacts)
        out << FormatContactLine(contact) << '\n';
    out.flush();
    return out ? 0 : 1;
}

int PrintBirthdays(const std::string& path, const CalendarDay& today, std::ostream& out, std::ostream& err)
{
    CContactList contacts;
    std::string error;
    if (!ReadBook(path, contacts, error)) {
        err << "quillon: " << error << '\n';
        return 1;
    }
    const BirthdayMatches found = FindBirthdays(contacts, today);
    out << "Today\n";
    for (int index : found.today)
        out << FormatContactLine(contacts[index]) << '\n';
    out << "Tomorrow\n";
    for (int index : found.tomorrow)
        out << FormatContactLine(contacts[index]) << '\n';
    out.flush();
    return out ? 0 : 1;
}

} // namespace bookcommands
