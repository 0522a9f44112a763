#include "data/VCard.h"

#include "data/VCardText.h"

#include <QByteArray>

#include <algorithm>
#include <utility>

namespace vcard {

namespace {

using text::EqualsNoCase;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

// The rank of a property nobody marked preferred: after every PREF=1..100.
constexpr int kNotPreferred = 101;

// A property as written, viewing into its content line.
struct Property
{
    std::string_view name; // without its group
    std::string_view encoding;
    std::string_view charset;
    std::string_view omitYear; // Apple's X-APPLE-OMIT-YEAR of a BDAY
    std::string_view value;    // as written, escapes and encoding still in place
    int rank = kNotPreferred;  // lower is preferred
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

bool StartsWithNoCase(std::string_view s, std::string_view prefix)
{
    return s.size() >= prefix.size() && EqualsNoCase(s.substr(0, prefix.size()), prefix);
}

// Files that each start with a byte order mark, joined with cat, carry one before each of
// their first cards, also right after a last line without its line end.
bool IsMarkBeforeCard(std::string_view data, std::size_t pos)
{
    return data.substr(pos, kByteOrderMark.size()) == kByteOrderMark &&
           StartsWithNoCase(data.substr(pos + kByteOrderMark.size()), "BEGIN:VCARD");
}

bool IsCardBoundary(std::string_view line)
{
    const std::string_view trimmed = Trim(line);
    return EqualsNoCase(trimmed, "END:VCARD") || StartsWithNoCase(trimmed, "BEGIN:VCARD") ||
           IsMarkBeforeCard(line, 0);
}

// Physical lines joined into content lines, one at a time, so that memory follows the longest
// line and not the number of lines: a line that starts with a space or a tab continues the
// previous one (the one whitespace is dropped), and in quoted-printable values a line that
// ends with "=" continues on the next. Empty lines are passed over.
class ContentLines
{
public:
    ContentLines(std::string_view data, bool fileStart) : m_data(data)
    {
        if (fileStart && data.substr(0, kByteOrderMark.size()) == kByteOrderMark)
            m_pos = kByteOrderMark.size();
    }

    // The next content line into line; false at the end of the data.
    bool Next(std::string& line)
    {
        while (m_pos < m_data.size()) {
            std::size_t next = 0;
            std::string_view physical = Physical(m_pos, &next);
            m_lineStart = m_pos;
            m_pos = next;
            if (physical.empty())
                continue;
            if (IsMarkBeforeCard(physical, 0))
                physical.remove_prefix(kByteOrderMark.size());
            line.assign(physical);
            const bool quotedPrintable = IsQuotedPrintable(physical);
            // Continuations, looking past empty lines.
            for (std::size_t pos = m_pos; pos < m_data.size();) {
                const std::string_view more = Physical(pos, &next);
                if (more.empty()) {
                    pos = next;
                    continue;
                }
                if (quotedPrintable && !line.empty() && line.back() == '=' && !IsCardBoundary(more)) {
                    line.pop_back();
                    line.append(more);
                } else if (more[0] == ' ' || more[0] == '\t') {
                    line.append(more.substr(1));
                } else {
                    break;
                }
                m_pos = pos = next;
            }
            return true;
        }
        return false;
    }

    // Where the next content line starts, and where the last one returned started.
    std::size_t Position() const { return m_pos; }
    std::size_t LineStart() const { return m_lineStart; }

private:
    // The physical line at pos without its line end; next is where the following one starts.
    std::string_view Physical(std::size_t pos, std::size_t* next) const
    {
        std::size_t end = pos;
        for (;;) {
            end = m_data.find_first_of("\r\n\xEF", end);
            if (end == std::string_view::npos) {
                end = m_data.size();
                break;
            }
            if (m_data[end] != '\xEF' || (end > pos && IsMarkBeforeCard(m_data, end)))
                break;
            ++end;
        }
        *next = end;
        if (*next < m_data.size() && m_data[*next] == '\r')
            ++*next;
        if (*next < m_data.size() && m_data[*next] == '\n')
            ++*next;
        return m_data.substr(pos, end - pos);
    }

    std::string_view m_data;
    std::size_t m_pos = 0;
    std::size_t m_lineStart = 0;
};

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

// TYPE=pref among the types of 3.0 (a list, also "TYPE=work,pref"), or 2.1's bare PREF.
bool ListsPref(std::string_view types)
{
    for (std::size_t start = 0; start <= types.size();) {
        const std::size_t comma = std::min(types.find(',', start), types.size());
        if (EqualsNoCase(Trim(types.substr(start, comma - start)), "PREF"))
            return true;
        start = comma + 1;
    }
    return false;
}

// The name, transfer encoding, character set and preference of a content line, without
// copying it.
Property ParseProperty(std::string_view line)
{
    Property property;
    const std::size_t colon = FindValueColon(line);
    if (colon == std::string_view::npos)
        return property; // not a content line: no name
    property.value = line.substr(colon + 1);
    const std::string_view header = line.substr(0, colon);

    bool quoted = false;
    bool first = true;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= header.size(); ++i) {
        if (i < header.size() && header[i] == '"')
            quoted = !quoted;
        if (i < header.size() && (header[i] != ';' || quoted))
            continue;
        const std::string_view part = Trim(header.substr(start, i - start));
        start = i + 1;
        if (first) {
            first = false;
            property.name = part;
            if (const std::size_t dot = part.rfind('.'); dot != std::string_view::npos)
                property.name.remove_prefix(dot + 1);
            continue;
        }
        const std::size_t equals = part.find('=');
        std::string_view key = equals == std::string_view::npos ? std::string_view() : part.substr(0, equals);
        std::string_view value = equals == std::string_view::npos ? part : part.substr(equals + 1);
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        key = Trim(key);
        value = Trim(value);
        if (EqualsNoCase(key, "ENCODING") ||
            (key.empty() && (EqualsNoCase(value, "QUOTED-PRINTABLE") || EqualsNoCase(value, "BASE64"))))
            property.encoding = value;
        else if (EqualsNoCase(key, "CHARSET"))
            property.charset = value;
        else if (EqualsNoCase(key, "X-APPLE-OMIT-YEAR"))
            property.omitYear = value;
        else if ((key.empty() || EqualsNoCase(key, "TYPE")) && ListsPref(value))
            property.rank = 1;
        else if (EqualsNoCase(key, "PREF") && value.size() <= 3 && IsDigits(value) && Number(value) >= 1)
            property.rank = std::min(property.rank, Number(value));
    }
    return property;
}

// A property kept from a card once its line is gone.
struct Kept
{
    bool present = false;
    int rank = kNotPreferred;
    std::string encoding;
    std::string charset;
    std::string omitYear;
    std::string value;

    void Keep(const Property& property)
    {
        present = true;
        rank = property.rank;
        encoding = property.encoding;
        charset = property.charset;
        omitYear = property.omitYear;
        value = property.value;
    }
};

bool IsBegin(const Property& property)
{
    return EqualsNoCase(property.name, "BEGIN") && EqualsNoCase(Trim(property.value), "VCARD");
}

bool IsEnd(const Property& property)
{
    return EqualsNoCase(property.name, "END") && EqualsNoCase(Trim(property.value), "VCARD");
}

// vCard 2.1 writes an AGENT's card right after "AGENT:", BEGIN to END on lines of their own
// (or starting on the AGENT line itself). Those lines belong to the card around them: this
// tells which lines are the agent's, nested agents included.
class AgentCards
{
public:
    // Whether the line belongs to an agent's card (its own BEGIN and END included).
    bool Inside(const Property& property)
    {
        const bool opened = m_opening;
        m_opening = false;
        if (IsBegin(property)) {
            if (opened) {
                ++m_depth;
                return true;
            }
            m_depth = 0; // a card of its own: an agent's card before it never ended
            return false;
        }
        const bool agent = EqualsNoCase(property.name, "AGENT");
        const bool inside = m_depth > 0;
        if (inside && IsEnd(property))
            --m_depth;
        if (agent && EqualsNoCase(Trim(property.value), "BEGIN:VCARD"))
            ++m_depth;
        else if (agent && Trim(property.value).empty())
            m_opening = true;
        return inside || (agent && m_depth > 0);
    }

private:
    int m_depth = 0;
    bool m_opening = false; // the line before was an AGENT with its card still to come
};

// The value as UTF-8 text, transfer encoding and character set undone, escapes still in place.
std::string DecodedValue(std::string_view value, std::string_view encoding, std::string_view charset)
{
    if (EqualsNoCase(encoding, "QUOTED-PRINTABLE"))
        return text::ConvertToUtf8(text::DecodeQuotedPrintable(value), charset);
    if (EqualsNoCase(encoding, "B") || EqualsNoCase(encoding, "BASE64")) {
        const QByteArray decoded =
            QByteArray::fromBase64(QByteArray(value.data(), static_cast<qsizetype>(value.size())));
        return text::ConvertToUtf8(
            std::string_view(decoded.constData(), static_cast<std::size_t>(decoded.size())), charset);
    }
    return text::ConvertToUtf8(value, charset);
}

std::string DecodedValue(const Kept& kept)
{
    return DecodedValue(kept.value, kept.encoding, kept.charset);
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

// The properties of one card that make a contact: the first of each (of N even an empty
// one; of TEL and EMAIL the preferred), and whether it has notes, which a second pass collects.
struct CardFields
{
    Kept n, fn, tel, email, bday, uid;
    bool version21 = false;
    bool hasNote = false;
};

CardFields ReadFields(std::string_view body)
{
    CardFields fields;
    bool haveVersion = false;
    AgentCards agents;
    ContentLines lines(body, false);
    std::string line;
    while (lines.Next(line)) {
        const Property property = ParseProperty(line);
        if (property.name.empty() || agents.Inside(property))
            continue;
        const bool empty = Trim(property.value).empty();
        const auto first = [&](std::string_view name, Kept& kept, bool emptyToo) {
            if (!kept.present && (emptyToo || !empty) && EqualsNoCase(property.name, name))
                kept.Keep(property);
        };
        const auto preferred = [&](std::string_view name, Kept& kept) {
            if (!empty && EqualsNoCase(property.name, name) && (!kept.present || property.rank < kept.rank))
                kept.Keep(property);
        };
        first("N", fields.n, true);
        first("FN", fields.fn, false);
        preferred("TEL", fields.tel);
        preferred("EMAIL", fields.email);
        first("BDAY", fields.bday, false);
        first("UID", fields.uid, false);
        if (!haveVersion && !empty && EqualsNoCase(property.name, "VERSION")) {
            haveVersion = true;
            fields.version21 = Trim(property.value) == "2.1";
        }
        if (!empty && EqualsNoCase(property.name, "NOTE"))
            fields.hasNote = true;
    }
    return fields;
}

// Every NOTE of the card, one after the other on lines of their own.
std::string ReadNotes(std::string_view body, bool version21)
{
    std::string note;
    AgentCards agents;
    ContentLines lines(body, false);
    std::string line;
    while (lines.Next(line)) {
        const Property property = ParseProperty(line);
        if (agents.Inside(property) || !EqualsNoCase(property.name, "NOTE") || Trim(property.value).empty())
            continue;
        // One step at a time, so that a long note is held at most twice at once.
        std::string value = DecodedValue(property.value, property.encoding, property.charset);
        value = Unescape(value, version21);
        value = text::NormalizeNote(value);
        if (note.empty()) {
            note = std::move(value);
        } else {
            note += "\r\n";
            note += value;
        }
    }
    return note;
}

void Skip(ReadResult* result, int number, const CString& why)
{
    result->problems.push_back({number, FormatString("card %d ", number) + why});
}

// body: the lines between BEGIN:VCARD and END:VCARD.
void Finish(std::string_view body, int number, ReadResult* result)
{
    const CardFields fields = ReadFields(body);
    const bool version21 = fields.version21;
    const auto one = [&](const Kept& kept) {
        return text::SingleLine(Unescape(DecodedValue(kept), version21));
    };

    CContact contact;
    if (fields.n.present) {
        // Last and first name are the first two parts; whatever follows them is not kept.
        const std::vector<std::string> parts = text::SplitCompound(DecodedValue(fields.n), 2);
        contact.m_strLastName = CString(text::SingleLine(Unescape(parts[0], version21)));
        if (parts.size() > 1)
            contact.m_strFirstName = CString(text::SingleLine(Unescape(parts[1], version21)));
    }
    if (contact.m_strFirstName.IsEmpty() && contact.m_strLastName.IsEmpty() && fields.fn.present)
        contact.m_strFirstName = CString(one(fields.fn));
    if (fields.tel.present) {
        std::string phone = one(fields.tel);
        // vCard 4.0 often gives the number as a URI.
        if (EqualsNoCase(std::string_view(phone).substr(0, 4), "tel:"))
            phone.erase(0, 4);
        contact.m_strTel = CString(phone);
    }
    if (fields.email.present)
        contact.m_strEMail = CString(one(fields.email));
    if (fields.hasNote)
        contact.m_strText = CString(ReadNotes(body, version21));

    if (fields.bday.present)
        contact.m_dtBirthday = ParseBirthday(Trim(DecodedValue(fields.bday)), Trim(fields.bday.omitYear));
    if (!fields.bday.present || contact.m_dtBirthday.GetStatus() != COleDateTime::valid) {
        ++result->withoutBirthday;
        const CString why = fields.bday.present
                                ? CString("the birthday \"") +
                                      CString(Shorten(text::SingleLine(DecodedValue(fields.bday)))) +
                                      CString("\" is not a valid date")
                                : CString("it has no birthday");
        Skip(result, number, CString("(") + Describe(contact) + CString(") was skipped: ") + why);
        return;
    }
    result->contacts.Add(std::move(contact));
    result->uids.push_back(
        fields.uid.present ? text::SingleLine(Unescape(DecodedValue(fields.uid), version21)) : std::string());
}

} // namespace

COleDateTime ParseBirthday(std::string_view value, std::string_view yearOmitted)
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
        if (digitsOfYear != yearOmitted)
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
    bool propertiesOutside = false; // since the last card: the body of a card whose BEGIN is gone?
    std::size_t bodyStart = 0;
    const auto incomplete = [&](int number, const char* why) {
        ++result.incomplete;
        Skip(&result, number, CString("was skipped: ") + CString(why));
    };
    AgentCards agents; // of the card being read
    ContentLines lines(data, true);
    std::string line;
    while (lines.Next(line)) {
        const Property property = ParseProperty(line);
        if (inCard && agents.Inside(property))
            continue;
        const bool end = IsEnd(property);
        if (IsBegin(property)) {
            if (inCard)
                incomplete(result.cards, "it has no END:VCARD");
            ++result.cards;
            inCard = true;
            agents = AgentCards();
            bodyStart = lines.Position();
        } else if (inCard && end) {
            Finish(data.substr(bodyStart, lines.LineStart() - bodyStart), result.cards, &result);
            inCard = false;
            propertiesOutside = false;
        } else if (!inCard && end) {
            // Properties and then an END: a card was there, so it is counted, not lost silently.
            if (propertiesOutside)
                incomplete(++result.cards, "it has no BEGIN:VCARD");
            propertiesOutside = false;
        } else if (!inCard && !property.name.empty()) {
            propertiesOutside = true;
        }
    }
    if (inCard)
        incomplete(result.cards, "it has no END:VCARD");
    return result;
}

} // namespace vcard
