#pragma once

#include "platform/framework/CString.h"

#include <cstddef>
#include <cstdint>

// A file on disk through POSIX calls. Failures come back as return values and the errno of
// the call stays readable through GetLastError; nothing here throws.
class CFile
{
public:
    enum OpenFlags : unsigned
    {
        modeRead = 0x0000,
        modeWrite = 0x0001,
        modeReadWrite = 0x0002,
        modeCreate = 0x1000,     // create if missing; cut to length zero unless modeNoTruncate
        modeNoTruncate = 0x2000, // with modeCreate: keep an existing file's contents
    };

    CFile() = default;
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    // Files the program creates are private to their owner.
    bool Open(const CString& path, unsigned flags, unsigned createPermissions = 0600);
    // Takes ownership of an open descriptor (a temporary file made elsewhere).
    void Attach(int fd);
    // Returns false when closing reported an error (a deferred write failure, for example).
    bool Close();

    // Reads up to count bytes; returns the number read (0 at the end) or -1 on error.
    virtual std::ptrdiff_t Read(void* buffer, std::size_t count);
    // Writes all bytes, retrying short writes; false on error.
    virtual bool Write(const void* buffer, std::size_t count);
    // Bytes from the current position to the end, or -1 when the file has no known length.
    virtual std::int64_t GetRemainingLength() const;
    virtual std::int64_t GetLength() const;
    // Pushes the written data to the disk (fsync).
    virtual bool Flush();

    int GetHandle() const { return m_fd; } // -1 while closed
    // errno of the last failed call, 0 when none failed.
    int GetLastError() const { return m_lastError; }

private:
    int m_fd = -1;
    int m_lastError = 0;
};
