#include "data/VCard.h"

#include "data/VCardText.h"

#include <QByteArray>
#include <QUuid>

#include <cstdio>
#include <unordered_map>

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

// The namespace of Quillon's contact UIDs: any fixed UUID, never to change.
const QUuid kContactNamespace(QStringLiteral("{8d3b0c52-5f0e-4a8e-9b8e-2f3c6d1a7e45}"));

// Each part with its length in front, so that no two sets of names give the same bytes.
void AddPart(QByteArray& data, std::string_view part)
{
    data += QByteArray::number(static_cast<qulonglong>(part.size()));
    data += ':';
    data += QByteArray(part.data(), static_cast<qsizetype>(part.size()));
}

} // namespace

std::string ContactUid(const CContact& contact, int occurrence)
{
    QByteArray name;
    AddPart(name, contact.m_strFirstName.Bytes());
    AddPart(name, contact.m_strLastName.Bytes());
    const COleDateTime& birthday = contact.m_dtBirthday;
    char date[32] = "none";
    if (birthday.GetStatus() == COleDateTime::valid)
        std::snprintf(date, sizeof date, "%04d-%02d-%02d", birthday.GetYear(), birthday.GetMonth(),
                      birthday.GetDay());
    AddPart(name, date);
    if (occurrence > 1)
        AddPart(name, std::to_string(occurrence));
    return QUuid::createUuidV5(kContactNamespace, name).toString(QUuid::WithoutBraces).toStdString();
}

std::vector<std::string> ContactUids(const CContactList& contacts)
{
    std::vector<std::string> uids;
    uids.reserve(static_cast<std::size_t>(contacts.GetCount()));
    std::unordered_map<std::string, int> seen;
    for (const CContact& contact : contacts) {
        std::string uid = ContactUid(contact);
        const int occurrence = ++seen[uid];
        uids.push_back(occurrence == 1 ? std::move(uid) : ContactUid(contact, occurrence));
    }
    return uids;
}

bool IsBirthdayWithoutYear(const COleDateTime& birthday)
{
    return birthday.GetStatus() == COleDateTime::valid && birthday.GetYear() == kYearOfBirthdayWithoutYear;
}

std::string WriteCard(const CContact& contact, std::string_view uid)
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
        char date[32];
        // Without a year: the form python-vobject, khard and CardDAV servers read as year-less.
        if (IsBirthdayWithoutYear(birthday))
            std::snprintf(date, sizeof date, "--%02d%02d", birthday.GetMonth(), birthday.GetDay());
        else
            std::snprintf(date, sizeof date, "%04d-%02d-%02d", birthday.GetYear(), birthday.GetMonth(),
                          birthday.GetDay());
        AddLine(out, "BDAY", date);
    }
    AddLine(out, "UID", text::EscapeText(uid));
    out += "END:VCARD\r\n";
    return out;
}

std::string WriteCards(const CContactList& contacts)
{
    const std::vector<std::string> uids = ContactUids(contacts);
    std::string out;
    for (int i = 0; i < contacts.GetCount(); ++i)
        out += WriteCard(contacts[i], uids[static_cast<std::size_t>(i)]);
    return out;
}

} // namespace vcard
