#include "platform/framework/CMemFile.h"

#include <algorithm>
#include <cstring>

CMemFile::CMemFile(const void* data, std::size_t size)
    : m_bytes(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size)
{}

std::ptrdiff_t CMemFile::Read(void* buffer, std::size_t count)
{
    const std::size_t n = std::min(count, m_bytes.size() - m_position);
    if (n > 0)
        std::memcpy(buffer, m_bytes.data() + m_position, n);
    m_position += n;
    return static_cast<std::ptrdiff_t>(n);
}

bool CMemFile::Write(const void* buffer, std::size_t count)
{
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    if (m_position + count > m_bytes.size())
        m_bytes.resize(m_position + count);
    std::copy(bytes, bytes + count, m_bytes.begin() + static_cast<std::ptrdiff_t>(m_position));
    m_position += count;
    return true;
}

std::int64_t CMemFile::GetRemainingLength() const
{
    return static_cast<std::int64_t>(m_bytes.size() - m_position);
}
