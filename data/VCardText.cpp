#include "data/VCardText.h"

#include <QByteArray>
#include <QString>
#include <QStringDecoder>

#include <array>
#include <cctype>

namespace vcard::text {

namespace {

// The characters Windows-1252 puts at 0x80-0x9F; 0xFFFD where it has none.
constexpr char16_t kCp1252High[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD,
                                      0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

// Each byte of Windows-1252 as UTF-8, encoded once.
const std::string& Cp1252AsUtf8(unsigned char byte)
{
    static const auto table = [] {
        std::array<std::string, 256> utf8;
        for (std::size_t b = 0; b < utf8.size(); ++b) {
            const auto c = static_cast<char16_t>(b >= 0x80 && b < 0xA0 ? kCp1252High[b - 0x80] : b);
            utf8[b] = QString(QChar(c)).toStdString();
        }
        return utf8;
    }();
    return table[byte];
}

bool IsContinuation(unsigned char byte)
{
    return (byte & 0xC0) == 0x80;
}

} // namespace

std::size_t Utf8SequenceLength(std::string_view bytes, std::size_t pos)
{
    const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
    const unsigned char lead = at(pos);
    if (lead < 0x80)
        return 1;
    std::size_t length = 0;
    unsigned char low = 0x80, high = 0xBF; // the range of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        low = lead == 0xE0 ? 0xA0 : 0x80;
        high = lead == 0xED ? 0x9F : 0xBF;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        low = lead == 0xF0 ? 0x90 : 0x80;
        high = lead == 0xF4 ? 0x8F : 0xBF;
    } else {
        return 0;
    }
    if (bytes.size() - pos < length || at(pos + 1) < low || at(pos + 1) > high)
        return 0;
    for (std::size_t i = 2; i < length; ++i)
        if (!IsContinuation(at(pos + i)))
            return 0;
    return length;
}

namespace {

std::string Upper(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

template <typename OnBreak> std::string CleanControls(std::string_view value, OnBreak onBreak)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const auto c = static_cast<unsigned char>(value[i]);
        if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
                ++i;
            onBreak(out);
        } else if (c == 0xC2 && i + 1 < value.size() && static_cast<unsigned char>(value[i + 1]) < 0xA0 &&
                   static_cast<unsigned char>(value[i + 1]) >= 0x80) {
            ++i; // U+0080 to U+009F, the C1 controls
        } else if ((c >= 0x20 && c != 0x7F) || c == '\t') {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace

bool EqualsNoCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string ToValidUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t length = Utf8SequenceLength(bytes, pos);
        if (length == 0) {
            out += Cp1252AsUtf8(static_cast<unsigned char>(bytes[pos]));
            ++pos;
        } else {
            out.append(bytes.substr(pos, length));
            pos += length;
        }
    }
    return out;
}

std::string ConvertToUtf8(std::string_view bytes, std::string_view charset)
{
    const std::string name = Upper(charset);
    if (name.empty() || name == "UTF-8" || name == "UTF8" || name == "US-ASCII" || name == "ASCII")
        return ToValidUtf8(bytes);
    const bool latin1 = name == "ISO-8859-1" || name == "ISO8859-1" || name == "LATIN1" || name == "LATIN-1";
    if (latin1)
        return QString::fromLatin1(bytes.data(), static_cast<qsizetype>(bytes.size())).toStdString();
    if (name == "WINDOWS-1252" || name == "CP1252") {
        std::string out;
        for (const char c : bytes)
            out += Cp1252AsUtf8(static_cast<unsigned char>(c));
        return out;
    }
    QStringDecoder decoder(name.c_str());
    if (!decoder.isValid())
        return ToValidUtf8(bytes);
    const QString decoded = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError())
        return ToValidUtf8(bytes);
    return decoded.toStdString();
}

std::string Utf16ToUtf8(std::string_view bytes)
{
    const bool little = bytes.substr(0, 2) == "\xFF\xFE";
    QStringDecoder decoder(little ? QStringDecoder::Utf16LE : QStringDecoder::Utf16BE);
    const QString decoded = decoder(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    return decoded.toStdString();
}

std::string DecodeQuotedPrintable(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '=' && i + 2 < value.size() && HexValue(value[i + 1]) >= 0 &&
            HexValue(value[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(value[i + 1]) * 16 + HexValue(value[i + 2]));
            i += 2;
        } else {
            out += value[i];
        }
    }
    return out;
}

std::string EscapeText(std::string_view value)
{
    std::string out;
    out.reserve(value.size() + value.size() / 8);
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\\' || c == ',' || c == ';') {
            out += '\\';
            out += c;
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n')
                ++i;
            out += "\\n";
        } else {
            out += c;
        }
    }
    return out;
}

std::string UnescapeText(std::string_view value)
{
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c != '\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        const char next = value[++i];
        if (next == 'n' || next == 'N') {
            out += '\n';
        } else if (next == '\\' || next == ',' || next == ';' || next == ':') {
            out += next;
        } else {
            out += '\\';
            out += next;
        }
    }
    return out;
}

std::vector<std::string> SplitCompound(std::string_view value, std::size_t most)
{
    std::vector<std::string> parts(1);
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '\\' && i + 1 < value.size()) {
            parts.back() += value.substr(i, 2);
            ++i;
        } else if (value[i] == ';') {
            if (parts.size() == most)
                break;
            parts.emplace_back();
        } else {
            parts.back() += value[i];
        }
    }
    return parts;
}

std::string FoldLine(std::string_view line)
{
    constexpr std::size_t kMaxOctets = 75;
    std::string out;
    std::size_t pos = 0;
    bool first = true;
    while (true) {
        const std::size_t room = first ? kMaxOctets : kMaxOctets - 1;
        if (line.size() - pos <= room) {
            if (!first)
                out += ' ';
            out.append(line.substr(pos));
            out += "\r\n";
            return out;
        }
        std::size_t cut = pos + room;
        // Back up to the start of a character; a sequence is at most four bytes long.
        while (cut > pos + 1 && IsContinuation(static_cast<unsigned char>(line[cut])))
            --cut;
        if (!first)
            out += ' ';
        out.append(line.substr(pos, cut - pos));
        out += "\r\n";
        pos = cut;
        first = false;
    }
}

std::string NormalizeNote(std::string_view value)
{
    return CleanControls(value, [](std::string& out) { out += "\r\n"; });
}

std::string SingleLine(std::string_view value)
{
    return CleanControls(value, [](std::string& out) { out += ' '; });
}

} // namespace vcard::text
