#include "platform/framework/CString.h"

#include <cstdarg>
#include <cstdio>

namespace {
std::string VFormat(const char* format, va_list args)
{
    va_list copy;
    va_copy(copy, args);
    // va_copy sets it; the analyzer does not follow va_copy of a parameter.
    // NOLINTNEXTLINE(clang-analyzer-valist.Uninitialized)
    const int needed = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (needed <= 0)
        return {};
    std::string out(static_cast<std::size_t>(needed), '\0');
    std::vsnprintf(out.data(), out.size() + 1, format, args);
    return out;
}
} // namespace

CString CString::FromQString(const QString& text)
{
    return CString(text.toStdString());
}

QString CString::ToQString() const
{
    return QString::fromStdString(m_bytes);
}

void CString::Format(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    m_bytes = VFormat(format, args);
    va_end(args);
}

CString FormatString(const char* format, ...)
{
    va_list args;
    va_start(args, format);
    CString out(VFormat(format, args));
    va_end(args);
    return out;
}
