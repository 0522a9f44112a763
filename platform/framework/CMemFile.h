#pragma once

#include "platform/framework/CFile.h"

#include <vector>

// A file held in memory: what an archive writes can be checked byte for byte, and bytes can
// be read back without touching the disk.
class CMemFile : public CFile
{
public:
    CMemFile() = default;
    explicit CMemFile(std::vector<unsigned char> bytes) : m_bytes(std::move(bytes)) {}
    CMemFile(const void* data, std::size_t size);

    std::ptrdiff_t Read(void* buffer, std::size_t count) override;
    bool Write(const void* buffer, std::size_t count) override;
    std::int64_t GetRemainingLength() const override;
    std::int64_t GetLength() const override { return static_cast<std::int64_t>(m_bytes.size()); }
    bool Flush() override { return true; }

    const std::vector<unsigned char>& Bytes() const { return m_bytes; }

private:
    std::vector<unsigned char> m_bytes;
    std::size_t m_position = 0;
};
