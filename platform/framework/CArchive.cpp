#include "platform/framework/CArchive.h"

#include <QString>

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

namespace {

// Text is gathered in pieces of this size, so a length that outruns the data costs at most
// one piece of memory even when the file's length is unknown.
constexpr std::size_t kTextChunk = std::size_t{64} * 1024;

// UTF-16 to UTF-8. A surrogate without its partner becomes U+FFFD, where Qt would write '?'.
std::string Utf16ToUtf8(std::u16string units)
{
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (QChar::isHighSurrogate(units[i]) && i + 1 < units.size() && QChar::isLowSurrogate(units[i + 1]))
            ++i;
        else if (QChar::isSurrogate(units[i]))
            units[i] = QChar::ReplacementCharacter;
    }
    return QString::fromUtf16(units.data(), static_cast<qsizetype>(units.size())).toStdString();
}

} // namespace

CArchive::CArchive(CFile* file, Mode mode, std::size_t bufferSize)
    : m_file(file), m_mode(mode), m_buffer(std::max<std::size_t>(bufferSize, 16))
{
    if (m_mode == load)
        m_fileLeft = m_file->GetRemainingLength();
}

CArchive::~CArchive()
{
    Close();
}

void CArchive::Fail(Error error)
{
    if (m_error == Error::none)
        m_error = error;
}

// ---- storing ----

void CArchive::PutBytes(const void* data, std::size_t size)
{
    if (m_mode != store || m_closed || m_error != Error::none)
        return;
    const auto* bytes = static_cast<const unsigned char*>(data);
    while (size > 0) {
        if (m_end == m_buffer.size() && !Flush())
            return;
        const std::size_t n = std::min(size, m_buffer.size() - m_end);
        std::memcpy(m_buffer.data() + m_end, bytes, n);
        m_end += n;
        bytes += n;
        size -= n;
        m_position += n;
    }
}

void CArchive::PutByte(std::uint8_t value)
{
    PutBytes(&value, 1);
}

void CArchive::PutUInt16(std::uint16_t value)
{
    const unsigned char bytes[2] = {static_cast<unsigned char>(value),
                                    static_cast<unsigned char>(value >> 8)};
    PutBytes(bytes, sizeof bytes);
}

void CArchive::PutUInt32(std::uint32_t value)
{
    unsigned char bytes[4];
    for (int i = 0; i < 4; ++i)
        bytes[i] = static_cast<unsigned char>(value >> (8 * i));
    PutBytes(bytes, sizeof bytes);
}

void CArchive::PutInt32(std::int32_t value)
{
    PutUInt32(static_cast<std::uint32_t>(value));
}

void CArchive::PutDouble(double value)
{
    const auto bits = std::bit_cast<std::uint64_t>(value);
    unsigned char bytes[8];
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>(bits >> (8 * i));
    PutBytes(bytes, sizeof bytes);
}

void CArchive::PutString(const CString& text)
{
    const std::string& bytes = text.Bytes();
    const std::uint64_t length = bytes.size();
    if (length > kMaxStringBytes) {
        Fail(Error::writeFailed);
        return;
    }
    if (length < 0xFF) {
        PutByte(static_cast<std::uint8_t>(length));
    } else if (length < 0xFFFE) {
        PutByte(0xFF);
        PutUInt16(static_cast<std::uint16_t>(length));
    } else {
        PutByte(0xFF);
        PutUInt16(0xFFFF);
        PutUInt32(static_cast<std::uint32_t>(length));
    }
    PutBytes(bytes.data(), bytes.size());
}

bool CArchive::Flush()
{
    if (m_mode != store || m_closed)
        return m_error == Error::none;
    if (m_error == Error::none && m_end > 0 && !m_file->Write(m_buffer.data(), m_end))
        Fail(Error::writeFailed);
    m_end = 0;
    return m_error == Error::none;
}

bool CArchive::Close()
{
    if (m_closed)
        return m_error == Error::none;
    const bool ok = Flush();
    m_closed = true;
    return ok;
}

// ---- loading ----

bool CArchive::Fill()
{
    if (m_mode != load || m_closed || m_error != Error::none)
        return false;
    const std::ptrdiff_t got = m_file->Read(m_buffer.data(), m_buffer.size());
    if (got < 0) {
        Fail(Error::readFailed);
        return false;
    }
    if (got == 0) {
        Fail(Error::endOfFile);
        return false;
    }
    m_begin = 0;
    m_end = static_cast<std::size_t>(got);
    if (m_fileLeft >= 0)
        m_fileLeft = std::max<std::int64_t>(0, m_fileLeft - got);
    return true;
}

bool CArchive::GetBytes(void* data, std::size_t size)
{
    auto* bytes = static_cast<unsigned char*>(data);
    while (size > 0) {
        if (m_error != Error::none || (m_begin == m_end && !Fill())) {
            std::memset(bytes, 0, size);
            return false;
        }
        const std::size_t n = std::min(size, m_end - m_begin);
        std::memcpy(bytes, m_buffer.data() + m_begin, n);
        m_begin += n;
        bytes += n;
        size -= n;
        m_position += n;
    }
    return m_error == Error::none;
}

bool CArchive::GetByte(std::uint8_t* value)
{
    return GetBytes(value, 1);
}

bool CArchive::GetUInt16(std::uint16_t* value)
{
    unsigned char bytes[2];
    const bool ok = GetBytes(bytes, sizeof bytes);
    *value = static_cast<std::uint16_t>(bytes[0] | (bytes[1] << 8));
    return ok;
}

bool CArchive::GetUInt32(std::uint32_t* value)
{
    unsigned char bytes[4];
    const bool ok = GetBytes(bytes, sizeof bytes);
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | bytes[i];
    *value = v;
    return ok;
}

bool CArchive::GetInt32(std::int32_t* value)
{
    std::uint32_t bits = 0;
    const bool ok = GetUInt32(&bits);
    *value = static_cast<std::int32_t>(bits);
    return ok;
}

bool CArchive::GetDouble(double* value)
{
    unsigned char bytes[8];
    const bool ok = GetBytes(bytes, sizeof bytes);
    std::uint64_t bits = 0;
    for (int i = 7; i >= 0; --i)
        bits = (bits << 8) | bytes[i];
    *value = std::bit_cast<double>(bits);
    return ok;
}

std::int64_t CArchive::GetBytesLeft() const
{
    if (m_mode != load || m_fileLeft < 0)
        return -1;
    return static_cast<std::int64_t>(m_end - m_begin) + m_fileLeft;
}

bool CArchive::ReadLength(bool allowWide, std::uint64_t* length, bool* wide)
{
    *length = 0;
    std::uint8_t byte = 0;
    if (!GetByte(&byte))
        return false;
    if (byte < 0xFF) {
        *length = byte;
        return true;
    }
    std::uint16_t word = 0;
    if (!GetUInt16(&word))
        return false;
    if (allowWide && word == 0xFFFE) {
        *wide = true;
        return ReadLength(false, length, wide);
    }
    if (word < 0xFFFF) {
        *length = word;
        return true;
    }
    std::uint32_t dword = 0;
    if (!GetUInt32(&dword))
        return false;
    *length = dword;
    return true;
}

bool CArchive::GetString(CString* text)
{
    *text = CString();
    std::uint64_t length = 0;
    bool wide = false;
    if (!ReadLength(true, &length, &wide))
        return false;
    const std::uint64_t bytes = wide ? length * 2 : length;
    const std::int64_t left = GetBytesLeft();
    if (bytes > kMaxStringBytes || (left >= 0 && bytes > static_cast<std::uint64_t>(left))) {
        Fail(Error::badLength);
        return false;
    }
    return wide ? GetWideText(length, text) : GetNarrowText(length, text);
}

bool CArchive::GetNarrowText(std::uint64_t length, CString* text)
{
    std::string bytes;
    while (length > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(length, kTextChunk));
        const std::size_t old = bytes.size();
        bytes.resize(old + n);
        if (!GetBytes(bytes.data() + old, n))
            return false;
        length -= n;
    }
    *text = CString(std::move(bytes));
    return true;
}

bool CArchive::GetWideText(std::uint64_t units, CString* text)
{
    std::u16string wide;
    std::vector<unsigned char> chunk(
        static_cast<std::size_t>(std::min<std::uint64_t>(units * 2, kTextChunk)));
    while (units > 0) {
        const std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(units, kTextChunk / 2));
        if (!GetBytes(chunk.data(), n * 2))
            return false;
        for (std::size_t i = 0; i < n; ++i)
            wide.push_back(static_cast<char16_t>(chunk[2 * i] | (chunk[2 * i + 1] << 8)));
        units -= n;
    }
    *text = CString(Utf16ToUtf8(std::move(wide)));
    return true;
}
