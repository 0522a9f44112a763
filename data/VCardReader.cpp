#include "data/VCard.h"

#include "data/VCardText.h"

#include <QByteArray>

#include <utility>

namespace vcard {

namespace {

using text::EqualsNoCase;

struct Property
{
    std::string name; // without its group
    std::string encoding;
    std::string charset;
    std::string value; // as written, escapes and encoding still in place
};

// The colon that ends the name and parameters; parameter values may be quoted.
std::size_t FindValueColon(std::string_view line)
{
    bool quoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == ':' && !quoted)
            return i;
    }
    return std::string_view::npos;
}

bool IsQuotedPrintable(std::string_view line)
{
    const std::size_t colon = FindValueColon(line);
    const std::string_view header = line.substr(0, colon == std::string_view::npos ? line.size() : colon);
    for (std::size_t i = 0; i + 16 <= header.size(); ++i)
        if (EqualsNoCase(header.substr(i, 16), "QUOTED-PRINTABLE"))
            return true;
    return false;
}

std::string_view Trim(std::string_view s)
{
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t'))
        s.remove_suffix(1);
    return s;
}

// Physical lines joined into content lines: a line that starts with a space or a tab
// continues the previous one (the one whitespace is dropped), and in quoted-printable values
// a line that ends with "=" continues on the next.
std::vector<std::string> ContentLines(std::string_view data)
{
    if (data.substr(0, 3) == "\xEF\xBB\xBF")
        data.remove_prefix(3);
    std::vector<std::string> lines;
    bool quotedPrintable = false;
    std::size_t pos = 0;
    while (pos < data.size()) {
        std::size_t end = data.find_first_of("\r\n", pos);
        if (end == std::string_view::npos)
            end = data.size();
        const std::string_view line = data.substr(pos, end - pos);
        pos = end;
        if (pos < data.size() && data[pos] == '\r')
            ++pos;
        if (pos < data.size() && data[pos] == '\n')
            ++pos;

        const bool softBreak = quotedPrintable && !lines.empty() && !lines.back().empty() &&
                               lines.back().back() == '=' && !EqualsNoCase(Trim(line), "END:VCARD");
        if (softBreak) {
            lines.back().pop_back();
            lines.back().append(line);
        } else if (!line.empty() && (line[0] == ' ' || line[0] == '\t') && !lines.empty()) {
            lines.back().append(line.substr(1));
        } else if (!line.empty()) {
            lines.emplace_back(line);
            quotedPrintable = IsQuotedPrintable(line);
        }
    }
    return lines;
}

Property ParseProperty(std::string_view line)
{
    Property property;
    const std::size_t colon = FindValueColon(line);
    if (colon == std::string_view::npos)
        return property; // not a content line: no name
    property.value = std::string(line.substr(colon + 1));
    const std::string_view header = line.substr(0, colon);

    std::vector<std::string_view> parts;
    bool quoted = false;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= header.size(); ++i) {
        if (i < header.size() && header[i] == '"')
            quoted = !quoted;
        if (i == header.size() || (header[i] == ';' && !quoted)) {
            parts.push_back(header.substr(start, i - start));
            start = i + 1;
        }
    }
    std::string_view name = Trim(parts.front());
    if (const std::size_t dot = name.rfind('.'); dot != std::string_view::npos)
        name.remove_prefix(dot + 1);
    property.name = std::string(name);
    for (std::size_t i = 1; i < parts.size(); ++i) {
        const std::string_view parameter = Trim(parts[i]);
        const std::size_t equals = parameter.find('=');
        std::string_view key =
            equals == std::string_view::npos ? std::string_view() : parameter.substr(0, equals);
        std::string_view value = equals == std::string_view::npos ? parameter : parameter.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        key = Trim(key);
        value = Trim(value);
        if (EqualsNoCase(key, "ENCODING") ||
            (key.empty() && (EqualsNoCase(value, "QUOTED-PRINTABLE") || EqualsNoCase(value, "BASE64"))))
            property.encoding = std::string(value);
        else if (EqualsNoCase(key, "CHARSET"))
            property.charset = std::string(value);
    }
    return property;
}

// The value as UTF-8 text, transfer encoding and character set undone, escapes still in place.
std::string DecodedValue(const Property& property)
{
    std::string bytes = property.value;
    if (EqualsNoCase(property.encoding, "QUOTED-PRINTABLE")) {
        bytes = text::DecodeQuotedPrintable(bytes);
    } else if (EqualsNoCase(property.encoding, "B") || EqualsNoCase(property.encoding, "BASE64")) {
        const QByteArray decoded =
            QByteArray::fromBase64(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
        bytes.assign(decoded.constData(), static_cast<std::size_t>(decoded.size()));
    }
    return text::ConvertToUtf8(bytes, property.charset);
}

// vCard 2.1 escapes only the semicolons of compound values.
std::string Unescape(std::string_view value, bool version21)
{
    if (!version21)
        return text::UnescapeText(value);
    std::string out;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size() && value[i + 1] == ';')
            ++i;
        out += value[i];
    }
    return out;
}

struct Card
{
    std::vector<Property> properties;
};

const Property* First(const Card& card, std::string_view name, bool nonEmpty)
{
    for (const Property& property : card.properties)
        if (EqualsNoCase(property.name, name) && (!nonEmpty || !Trim(property.value).empty()))
            return &property;
    return nullptr;
}

// A value quoted in a message: at most about forty bytes, cut between characters.
std::string Shorten(std::string value)
{
    constexpr std::size_t kMost = 40;
    if (value.size() <= kMost)
        return value;
    std::size_t cut = kMost;
    while (cut > 0 && (static_cast<unsigned char>(value[cut]) & 0xC0) == 0x80)
        --cut;
    return value.substr(0, cut) + "...";
}

CString Describe(const CContact& contact)
{
    std::string name = contact.m_strFirstName.Bytes();
    if (!name.empty() && !contact.m_strLastName.IsEmpty())
        name += ' ';
    name += contact.m_strLastName.Bytes();
    return name.empty() ? CString("no name") : CString(name);
}

void Finish(const Card& card, int number, ReadResult* result)
{
    const Property* version = First(card, "VERSION", true);
    const bool version21 = version && Trim(version->value) == "2.1";
    const auto one = [&](const Property& property) {
        return text::SingleLine(Unescape(DecodedValue(property), version21));
    };

    CContact contact;
    const Property* n = First(card, "N", false);
    if (n) {
        const std::vector<std::string> parts = text::SplitCompound(DecodedValue(*n));
        contact.m_strLastName = CString(text::SingleLine(Unescape(parts[0], version21)));
        if (parts.size() > 1)
            contact.m_strFirstName = CString(text::SingleLine(Unescape(parts[1], version21)));
    }
    if (contact.m_strFirstName.IsEmpty() && contact.m_strLastName.IsEmpty())
        if (const Property* fn = First(card, "FN", true))
            contact.m_strFirstName = CString(one(*fn));
    if (const Property* tel = First(card, "TEL", true)) {
        std::string phone = one(*tel);
        // vCard 4.0 often gives the number as a URI.
        if (EqualsNoCase(std::string_view(phone).substr(0, 4), "tel:"))
            phone.erase(0, 4);
        contact.m_strTel = CString(phone);
    }
    if (const Property* email = First(card, "EMAIL", true))
        contact.m_strEMail = CString(one(*email));
    std::string note;
    for (const Property& property : card.properties) {
        if (!EqualsNoCase(property.name, "NOTE") || Trim(property.value).empty())
            continue;
        if (!note.empty())
            note += "\r\n";
        note += text::NormalizeNote(Unescape(DecodedValue(property), version21));
    }
    contact.m_strText = CString(note);

    const Property* bday = First(card, "BDAY", true);
    if (bday)
        contact.m_dtBirthday = ParseBirthday(Trim(DecodedValue(*bday)));
    if (!bday || contact.m_dtBirthday.GetStatus() != COleDateTime::valid) {
        ++result->withoutBirthday;
        const CString why = bday ? CString("the birthday \"") +
                                       CString(Shorten(text::SingleLine(DecodedValue(*bday)))) +
                                       CString("\" is not a valid date")
                                 : CString("it has no birthday");
        result->problems.push_back({number, CString("card ") + FormatString("%d", number) + CString(" (") +
                                                Describe(contact) + CString(") was skipped: ") + why});
        return;
    }
    result->contacts.Add(contact);
}

bool IsDigits(std::string_view s)
{
    if (s.empty())
        return false;
    for (const char c : s)
        if (c < '0' || c > '9')
            return false;
    return true;
}

int Number(std::string_view digits)
{
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

} // namespace

COleDateTime ParseBirthday(std::string_view value)
{
    COleDateTime date(0.0, COleDateTime::invalid);
    if (const std::size_t time = value.find_first_of("Tt"); time != std::string_view::npos)
        value = value.substr(0, time);
    int year = kYearOfBirthdayWithoutYear;
    std::string_view month, day;
    if (value.substr(0, 2) == "--") {
        const std::string_view rest = value.substr(2);
        if (rest.size() == 4) {
            month = rest.substr(0, 2);
            day = rest.substr(2, 2);
        } else if (rest.size() == 5 && rest[2] == '-') {
            month = rest.substr(0, 2);
            day = rest.substr(3, 2);
        } else {
            return date;
        }
    } else {
        std::string_view digitsOfYear;
        if (value.size() == 8) {
            digitsOfYear = value.substr(0, 4);
            month = value.substr(4, 2);
            day = value.substr(6, 2);
        } else if (value.size() == 10 && value[4] == '-' && value[7] == '-') {
            digitsOfYear = value.substr(0, 4);
            month = value.substr(5, 2);
            day = value.substr(8, 2);
        } else {
            return date;
        }
        if (!IsDigits(digitsOfYear))
            return date;
        year = Number(digitsOfYear);
    }
    if (!IsDigits(month) || !IsDigits(day))
        return date;
    date.SetDate(year, Number(month), Number(day));
    return date;
}

ReadResult ReadCards(std::string_view data)
{
    if (data.substr(0, 2) == "\xFF\xFE" || data.substr(0, 2) == "\xFE\xFF")
        return ReadCards(text::Utf16ToUtf8(data)); // the UTF-8 result never starts like this
    ReadResult result;
    bool inCard = false;
    Card card;
    const auto incomplete = [&] {
        ++result.incomplete;
        result.problems.push_back(
            {result.cards, FormatString("card %d was skipped: it has no END:VCARD", result.cards)});
    };
    for (const std::string& line : ContentLines(data)) {
        Property property = ParseProperty(line);
        if (EqualsNoCase(property.name, "BEGIN") && EqualsNoCase(Trim(property.value), "VCARD")) {
            if (inCard)
                incomplete();
            ++result.cards;
            inCard = true;
            card = Card();
        } else if (!inCard) {
            continue; // text between cards
        } else if (EqualsNoCase(property.name, "END") && EqualsNoCase(Trim(property.value), "VCARD")) {
            Finish(card, result.cards, &result);
            inCard = false;
        } else if (!property.name.empty()) {
            card.properties.push_back(std::move(property));
        }
    }
    if (inCard)
        incomplete();
    return result;
}

} // namespace vcard
