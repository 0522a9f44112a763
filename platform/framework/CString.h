#pragma once

#include <QString>

#include <cstddef>
#include <string>
#include <string_view>

// The framework's string: bytes in the locale's code page (UTF-8 on Linux). Text is turned
// into a QString only for display, so bytes that were never edited survive a load and a save
// unchanged, even when they are not valid UTF-8.
class CString
{
public:
    CString() = default;
    CString(const char* text) : m_bytes(text ? text : "") {} // NOLINT(google-explicit-constructor)
    explicit CString(std::string bytes) : m_bytes(std::move(bytes)) {}
    explicit CString(std::string_view bytes) : m_bytes(bytes) {}

    static CString FromQString(const QString& text);
    QString ToQString() const;

    [[gnu::format(printf, 2, 3)]] void Format(const char* format, ...);

    int GetLength() const { return static_cast<int>(m_bytes.size()); }
    bool IsEmpty() const { return m_bytes.empty(); }
    void Empty() { m_bytes.clear(); }
    const char* GetString() const { return m_bytes.c_str(); }
    const std::string& Bytes() const { return m_bytes; }

    // Byte-wise comparison, case-sensitive; in UTF-8 it orders like the multibyte compare.
    int Compare(const CString& other) const { return m_bytes.compare(other.m_bytes); }

    CString& operator+=(const CString& other)
    {
        m_bytes += other.m_bytes;
        return *this;
    }
    friend CString operator+(CString left, const CString& right) { return left += right; }
    bool operator==(const CString& other) const = default;

private:
    std::string m_bytes;
};

// The printf family, as the framework's CString::Format offers it.
[[gnu::format(printf, 1, 2)]] CString FormatString(const char* format, ...);
