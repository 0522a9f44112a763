#include "data/SafeFile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string TemporaryPrefix(const std::string& target)
{
    return "." + NameOf(target) + ".tmp-";
}

// What mkostemp makes of "XXXXXX".
bool IsTemporarySuffix(std::string_view suffix)
{
    if (suffix.size() != 6)
        return false;
    for (const char c : suffix)
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9')))
            return false;
    return true;
}

} // namespace

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

int OpenRegularFile(const std::string& path, bool create, mode_t* foundMode)
{
    *foundMode = 0;
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        *foundMode = st.st_mode;
        errno = EINVAL;
        return -1;
    }
    // Non-blocking, in case a named pipe took the file's place in between.
    int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
    if (create)
        flags |= O_CREAT;
    int fd = -1;
    do {
        fd = ::open(path.c_str(), flags, 0600);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0)
        return -1;
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        *foundMode = st.st_mode;
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    return fd;
}

AtomicFile::AtomicFile(std::string target, FaultHook fault)
    : m_target(std::move(target)), m_fault(std::move(fault))
{}

AtomicFile::~AtomicFile()
{
    m_file.Close();
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
}

bool AtomicFile::Fail(Step step, int error)
{
    m_failedStep = step;
    m_error = error;
    m_file.Close();
    if (!m_tempPath.empty())
        ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
    return false;
}

bool AtomicFile::Create()
{
    std::string pattern = FolderOf(m_target) + '/' + TemporaryPrefix(m_target) + "XXXXXX";
    const int error = m_fault ? m_fault(Step::createTemp) : 0;
    const int fd = error ? -1 : ::mkostemp(pattern.data(), O_CLOEXEC); // mode 0600
    if (fd < 0)
        return Fail(Step::createTemp, error ? error : errno);
    m_tempPath = pattern;
    m_file.Attach(fd);
    return true;
}

bool AtomicFile::Commit(bool written)
{
    const auto fault = [this](Step step) { return m_fault ? m_fault(step) : 0; };
    int error = fault(Step::write);
    if (!written || error)
        return Fail(Step::write, error ? error : m_file.GetLastError());
    error = fault(Step::sync);
    if (error || !m_file.Flush())
        return Fail(Step::sync, error ? error : m_file.GetLastError());
    error = fault(Step::close);
    if (!m_file.Close() || error)
        return Fail(Step::close, error ? error : m_file.GetLastError());
    error = fault(Step::rename);
    if (error || std::rename(m_tempPath.c_str(), m_target.c_str()) != 0)
        return Fail(Step::rename, error ? error : errno);
    m_tempPath.clear();
    SyncFolder(FolderOf(m_target));
    return true;
}

void AtomicFile::RemoveStaleTemporaries(const std::string& target)
{
    const std::string folder = FolderOf(target);
    const std::string name = NameOf(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    struct stat book
    {
    };
    const bool haveTarget = ::fstatat(dirFd, name.c_str(), &book, 0) == 0;
    const std::string prefix = TemporaryPrefix(target);
    // One thread reads this stream; readdir_r is the deprecated one.
    // cppcheck-suppress readdirCalled
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view entryName(entry->d_name);
        if (entryName.size() != prefix.size() + 6 || entryName.substr(0, prefix.size()) != prefix ||
            !IsTemporarySuffix(entryName.substr(prefix.size())))
            continue;
        struct stat st
        {
        };
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
            st.st_uid != ::geteuid())
            continue;
        if (haveTarget && st.st_dev == book.st_dev && st.st_ino == book.st_ino)
            continue;
        ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}
