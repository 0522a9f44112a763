#pragma once

#include "platform/framework/CFile.h"

#include <algorithm>
#include <cstring>
#include <vector>

// A file held in memory, for the tests of the book's format: what an archive writes can be
// checked byte for byte, and bytes can be read back without touching the disk.
class CMemFile : public CFile
{
public:
    CMemFile() = default;
    explicit CMemFile(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}
    CMemFile(const void* data, std::size_t size)
        : m_bytes(static_cast<const unsigned char*>(data), static_cast<const unsigned char*>(data) + size)
    {}

    std::ptrdiff_t Read(void* buffer, std::size_t count) override
    {
        const std::size_t n = std::min(count, m_bytes.size() - m_position);
        if (n > 0)
            std::memcpy(buffer, m_bytes.data() + m_position, n);
        m_position += n;
        return static_cast<std::ptrdiff_t>(n);
    }
    bool Write(const void* buffer, std::size_t count) override
    {
        const auto* bytes = static_cast<const unsigned char*>(buffer);
        if (m_position + count > m_bytes.size())
            m_bytes.resize(m_position + count);
        std::copy(bytes, bytes + count, m_bytes.begin() + static_cast<std::ptrdiff_t>(m_position));
        m_position += count;
        return true;
    }
    std::int64_t GetRemainingLength() const override
    {
        return static_cast<std::int64_t>(m_bytes.size() - m_position);
    }
    std::int64_t GetLength() const override { return static_cast<std::int64_t>(m_bytes.size()); }
    bool Flush() override { return true; }

    const std::vector<unsigned char>& Bytes() const { return m_bytes; }

private:
    std::vector<unsigned char> m_bytes;
    std::size_t m_position = 0;
};
