#include "data/VCard.h"

#include "data/VCardText.h"

#include <cstdio>

namespace vcard {

namespace {

// A one-line field as it goes into a card: valid UTF-8, no control characters, escaped.
std::string Field(const CString& value)
{
    return text::EscapeText(text::SingleLine(text::ToValidUtf8(value.Bytes())));
}

void AddLine(std::string& out, std::string_view name, const std::string& value)
{
    std::string line(name);
    line += ':';
    line += value;
    out += text::FoldLine(line);
}

bool HasValidBirthday(const COleDateTime& birthday)
{
    return birthday.GetStatus() == COleDateTime::valid && birthday.GetYear() > 0;
}

} // namespace

std::string WriteCard(const CContact& contact)
{
    std::string out = "BEGIN:VCARD\r\nVERSION:3.0\r\n";
    AddLine(out, "N", Field(contact.m_strLastName) + ';' + Field(contact.m_strFirstName) + ";;;");
    // The formatted name is the first and last names as one would say them.
    std::string formatted = text::SingleLine(text::ToValidUtf8(contact.m_strFirstName.Bytes()));
    const std::string last = text::SingleLine(text::ToValidUtf8(contact.m_strLastName.Bytes()));
    if (!formatted.empty() && !last.empty())
        formatted += ' ';
    formatted += last;
    AddLine(out, "FN", text::EscapeText(formatted));
    if (!contact.m_strTel.IsEmpty())
        AddLine(out, "TEL", Field(contact.m_strTel));
    if (!contact.m_strEMail.IsEmpty())
        AddLine(out, "EMAIL", Field(contact.m_strEMail));
    if (!contact.m_strText.IsEmpty())
        AddLine(out, "NOTE",
                text::EscapeText(text::NormalizeNote(text::ToValidUtf8(contact.m_strText.Bytes()))));
    const COleDateTime& birthday = contact.m_dtBirthday;
    if (HasValidBirthday(birthday)) {
        char date[16];
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", birthday.GetYear(), birthday.GetMonth(),
                      birthday.GetDay());
        AddLine(out, "BDAY", date);
    }
    out += "END:VCARD\r\n";
    return out;
}

std::string WriteCards(const CContactList& contacts)
{
    std::string out;
    for (const CContact& contact : contacts)
        out += WriteCard(contact);
    return out;
}

} // namespace vcard
