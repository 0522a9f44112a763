#include "app/BookCommands.h"

#include "app/CommandLine.h"
#include "data/ContactBookFormat.h"
#include "data/NotebookRules.h"
#include "data/SafeFile.h"
#include "data/VCardText.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CTime.h"

#include <QDate>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <sys/stat.h>

namespace bookcommands {

namespace {

void AppendHex(std::string& out, unsigned char byte)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    out += "\\x";
    out += kDigits[byte >> 4];
    out += kDigits[byte & 0xF];
}

} // namespace

std::string EscapeField(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const auto c = static_cast<unsigned char>(bytes[pos]);
        const std::size_t length = vcard::text::Utf8SequenceLength(bytes, pos);
        if (length == 0) {
            AppendHex(out, c); // not UTF-8: shown as the byte it is
            ++pos;
            continue;
        }
        if (length == 2 && c == 0xC2 && static_cast<unsigned char>(bytes[pos + 1]) < 0xA0) {
            AppendHex(out, c); // U+0080 to U+009F, the C1 controls
            AppendHex(out, static_cast<unsigned char>(bytes[pos + 1]));
        } else if (length > 1) {
            out.append(bytes.substr(pos, length));
        } else if (c == '\t') {
            out += "\\t";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c < 0x20 || c == 0x7F) {
            AppendHex(out, c);
        } else {
            out += static_cast<char>(c);
        }
        pos += length;
    }
    return out;
}

std::string Quote(std::string_view path)
{
    return '"' + EscapeField(path) + '"';
}

std::string FormatContactLine(const CContact& contact)
{
    const CString* fields[] = {&contact.m_strFirstName, &contact.m_strLastName, &contact.m_strTel,
                               &contact.m_strEMail, &contact.m_strText};
    std::string line = EscapeField(FormatBirthdayText(contact.m_dtBirthday).Bytes());
    for (const CString* field : fields)
        line += '\t' + EscapeField(field->Bytes());
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
    // Year 0000 is no year of the calendar either.
    if (!QDate::isValid(day.year, day.month, day.day))
        return std::nullopt;
    return day;
}

CalendarDay LocalToday()
{
    std::tm local{};
    CTime::GetCurrentTime().GetLocalTm(&local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

int OpenRegularFile(const std::string& path, const char* what, std::string& error)
{
    mode_t mode = 0;
    const int fd = ::OpenRegularFile(path, false, &mode);
    if (fd >= 0)
        return fd;
    const int reason = errno;
    if (mode != 0) {
        const char* kind = S_ISDIR(mode)                    ? "a folder"
                           : S_ISFIFO(mode)                 ? "a named pipe"
                           : S_ISSOCK(mode)                 ? "a socket"
                           : S_ISCHR(mode) || S_ISBLK(mode) ? "a device"
                                                            : "something else";
        error = std::string(what) + ' ' + Quote(path) + " is " + kind + ", not a regular file.";
    } else {
        error = std::string("cannot read ") + what + ' ' + Quote(path) + ": " + std::strerror(reason) + '.';
    }
    errno = reason;
    return -1;
}

bool ReadBook(const std::string& path, CContactList& contacts, std::string& error, bool missingIsEmpty)
{
    // Read here rather than through the program's loader, which creates a missing book.
    const int fd = OpenRegularFile(path, "the contact book", error);
    if (fd < 0) {
        if (missingIsEmpty && errno == ENOENT) {
            error.clear();
            return true;
        }
        return false;
    }
    CFile file;
    file.Attach(fd);
    if (file.GetLength() == 0)
        return true;
    CArchive ar(&file, CArchive::load);
    const contactbook::ReadResult result = contactbook::ReadContactBook(ar, &contacts);
    ar.Close();
    if (!result.IsDamaged())
        return true;
    error = "the contact book " + Quote(path) + " is damaged. " + result.Describe().Bytes();
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
    CommandOutput output(out);
    for (const CContact& contact : contacts)
        if (!output.Write(FormatContactLine(contact) + '\n'))
            break;
    return output.Finish(err, 0);
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
    std::string text = "Today\n";
    for (int index : found.today)
        text += FormatContactLine(contacts[index]) + '\n';
    text += "Tomorrow\n";
    for (int index : found.tomorrow)
        text += FormatContactLine(contacts[index]) + '\n';
    CommandOutput output(out);
    output.Write(text);
    return output.Finish(err, 0);
}

} // namespace bookcommands
