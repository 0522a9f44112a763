#include "data/BookLock.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

BookLock::Result BookLock::Acquire(const CString& bookPath)
{
    Release();
    Result result;
    const CString lockPath = LockPathFor(bookPath);
    // Non-blocking, so that a named pipe planted there cannot hold the program up either.
    const int fd = ::open(lockPath.GetString(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
    if (fd < 0 && errno == ELOOP) {
        result.outcome = Result::Outcome::refused;
        result.message =
            FormatString("The lock file \"%s\" is a symbolic link, which is not followed. Remove "
                         "it: until then nothing keeps a second copy of the program from "
                         "using the contact book \"%s\" at the same time.",
                         lockPath.GetString(), bookPath.GetString());
        return result;
    }
    struct stat st
    {
    };
    if ((fd < 0 && errno == EISDIR) || (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)))) {
        if (fd >= 0)
            ::close(fd);
        result.outcome = Result::Outcome::refused;
        result.message = FormatString("The lock file \"%s\" is not a regular file. Remove it: until then "
                                      "nothing keeps a second copy of the program from using the contact "
                                      "book \"%s\" at the same time.",
                                      lockPath.GetString(), bookPath.GetString());
        return result;
    }
    if (fd < 0) {
        result.outcome = Result::Outcome::failed;
        result.message = FormatString("The lock file \"%s\" could not be made: %s.", lockPath.GetString(),
                                      std::strerror(errno));
        return result;
    }

    int status;
    do {
        status = ::flock(fd, LOCK_EX | LOCK_NB);
    } while (status != 0 && errno == EINTR);
    if (status != 0) {
        const int error = errno;
        ::close(fd);
        if (error == EWOULDBLOCK) {
            result.outcome = Result::Outcome::inUse;
            result.message = FormatString("The contact book \"%s\" is in use by another copy of the program "
                                          "started in the same folder.",
                                          bookPath.GetString());
        } else {
            result.outcome = Result::Outcome::failed;
            result.message = FormatString("The lock file \"%s\" could not be locked: %s.",
                                          lockPath.GetString(), std::strerror(error));
        }
        return result;
    }
    m_fd = fd;
    return result;
}

void BookLock::Release()
{
    if (m_fd >= 0) {
        ::close(m_fd); // closing the last descriptor drops the flock
        m_fd = -1;
    }
}
