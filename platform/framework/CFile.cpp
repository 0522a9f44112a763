#include "platform/framework/CFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

CFile::~CFile()
{
    Close();
}

bool CFile::Open(const CString& path, unsigned flags, unsigned createPermissions)
{
    Close();
    int oflags = O_CLOEXEC;
    if (flags & modeReadWrite)
        oflags |= O_RDWR;
    else if (flags & modeWrite)
        oflags |= O_WRONLY;
    else
        oflags |= O_RDONLY;
    if (flags & modeCreate) {
        oflags |= O_CREAT;
        if (!(flags & modeNoTruncate) && (flags & (modeWrite | modeReadWrite)))
            oflags |= O_TRUNC;
    }
    int fd;
    do {
        fd = ::open(path.GetString(), oflags, static_cast<mode_t>(createPermissions));
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        m_lastError = errno;
        return false;
    }
    m_fd = fd;
    m_lastError = 0;
    return true;
}

void CFile::Attach(int fd)
{
    Close();
    m_fd = fd;
    m_lastError = 0;
}

bool CFile::Close()
{
    if (m_fd < 0)
        return true;
    // close() is not retried on EINTR: on Linux the descriptor is gone either way.
    const int result = ::close(m_fd);
    m_fd = -1;
    if (result != 0) {
        m_lastError = errno;
        return false;
    }
    return true;
}

std::ptrdiff_t CFile::Read(void* buffer, std::size_t count)
{
    for (;;) {
        const ssize_t got = ::read(m_fd, buffer, count);
        if (got >= 0)
            return got;
        if (errno != EINTR) {
            m_lastError = errno;
            return -1;
        }
    }
}

bool CFile::Write(const void* buffer, std::size_t count)
{
    const auto* bytes = static_cast<const unsigned char*>(buffer);
    while (count > 0) {
        const ssize_t put = ::write(m_fd, bytes, count);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            m_lastError = errno;
            return false;
        }
        bytes += put;
        count -= static_cast<std::size_t>(put);
    }
    return true;
}

std::int64_t CFile::GetLength() const
{
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0 || !S_ISREG(st.st_mode))
        return -1;
    return st.st_size;
}

std::int64_t CFile::GetRemainingLength() const
{
    const std::int64_t length = GetLength();
    const off_t position = ::lseek(m_fd, 0, SEEK_CUR);
    if (length < 0 || position < 0)
        return -1;
    return position >= length ? 0 : length - position;
}

bool CFile::Flush()
{
    if (::fsync(m_fd) != 0) {
        m_lastError = errno;
        return false;
    }
    return true;
}
