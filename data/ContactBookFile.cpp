#include "data/ContactBookFile.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CTime.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string NameOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The rename is durable only once the folder itself is on disk.
void SyncFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

// A link to the book is followed, so the book stays where the link points.
std::string ResolveTarget(const std::string& path)
{
    struct stat st
    {
    };
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char resolved[PATH_MAX];
    if (::realpath(path.c_str(), resolved) == nullptr)
        return path;
    return resolved;
}

CString DamagedMessage(const CString& path, const contactbook::ReadResult& details)
{
    const int read = details.contactsRead;
    const CString loaded = read == 0   ? CString("No contact could be read before the damage.")
                           : read == 1 ? CString("The 1 contact before the damage was loaded.")
                                       : FormatString("The %d contacts before the damage were loaded.", read);
    return FormatString("The contact book \"%s\" is damaged. %s %s", path.GetString(),
                        details.Describe().GetString(), loaded.GetString());
}

// No write permission bit at all (0400, 0444) counts as read-only even for root, who may
// write anyway: the mode says the owner wants the file left as it is.
bool IsReadOnly(const std::string& path, const struct stat& st)
{
    if ((st.st_mode & 0222) == 0)
        return true;
    return ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) != 0 &&
           (errno == EACCES || errno == EPERM || errno == EROFS);
}

bool IsWritableFolder(const std::string& folder)
{
    return ::faccessat(AT_FDCWD, folder.c_str(), W_OK | X_OK, AT_EACCESS) == 0;
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

// Temporary files of saves killed midway: named as Save names them, regular files of ours,
// never the book itself (not even as a hard link). Only safe while the book's lock keeps every
// other save of this book away.
void RemoveStaleTemporaries(const std::string& folder, const std::string& name)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const int dirFd = ::dirfd(dir);
    struct stat book
    {
    };
    const bool haveBook = ::fstatat(dirFd, name.c_str(), &book, 0) == 0;
    const std::string prefix = "." + name + ".tmp-";
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
        if (haveBook && st.st_dev == book.st_dev && st.st_ino == book.st_ino)
            continue;
        ::unlinkat(dirFd, entry->d_name, 0);
    }
    ::closedir(dir);
}

bool RenameNoReplace(const std::string& from, const std::string& to, int* error)
{
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS) {
        *error = errno;
        return false;
    }
    // File systems without the flag: a hard link never replaces anything either.
    if (::link(from.c_str(), to.c_str()) != 0) {
        *error = errno;
        return false;
    }
    ::unlink(from.c_str());
    return true;
}

} // namespace

ContactBookFile::ContactBookFile(CString path) : m_path(std::move(path)) {}

ContactBookFile::LoadResult ContactBookFile::Load(CContactList* contacts, IfMissing ifMissing)
{
    LoadResult result;
    const std::string& path = m_path.Bytes();
    struct stat st
    {
    };
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        m_keepOnDisk = true;
        result.outcome = LoadResult::Outcome::failed;
        result.message =
            FormatString("The contact book \"%s\" is not a file, so it was not read.", path.c_str());
        return result;
    }

    CFile file;
    const unsigned create = ifMissing == IfMissing::create ? CFile::modeCreate | CFile::modeNoTruncate : 0;
    if (!file.Open(m_path, create | CFile::modeRead, 0600)) {
        m_keepOnDisk = true;
        result.outcome = LoadResult::Outcome::failed;
        result.message = FormatString("The contact book \"%s\" could not be opened: %s.", path.c_str(),
                                      file.GetErrorText().GetString());
        if (ifMissing == IfMissing::create)
            result.message += CString(" The notebook starts empty and will not be saved.");
        return result;
    }
    if (file.GetLength() == 0) {
        m_keepOnDisk = false;
        return result;
    }

    CArchive ar(&file, CArchive::load);
    result.details = contactbook::ReadContactBook(ar, contacts);
    ar.Close();
    if (!result.details.IsDamaged()) {
        m_keepOnDisk = false;
        return result;
    }
    m_keepOnDisk = true;
    result.outcome = LoadResult::Outcome::damaged;
    result.message = DamagedMessage(m_path, result.details);
    return result;
}

ContactBookFile::LoadResult ContactBookFile::LoadOrSetAside(CContactList* contacts)
{
    LoadResult result = Load(contacts);
    if (result.outcome != LoadResult::Outcome::damaged)
        return result;
    const MoveAsideResult moved = MoveDamagedAside();
    if (moved.ok) {
        result.movedTo = moved.newPath;
        result.message += FormatString(" The damaged file was kept as \"%s\".", moved.newPath.GetString());
    } else {
        result.message += CString(" ") + moved.message;
    }
    return result;
}

ContactBookFile::SaveResult ContactBookFile::SaveFailed(const char* what, int error, const CString& tempPath)
{
    if (!tempPath.IsEmpty())
        ::unlink(tempPath.GetString());
    SaveResult result;
    result.ok = false;
    result.message = FormatString("The contact book \"%s\" could not be saved (%s: %s). The file on disk was "
                                  "left as it was.",
                                  m_path.GetString(), what, std::strerror(error));
    return result;
}

ContactBookFile::SaveResult ContactBookFile::CheckSavable() const
{
    SaveResult result;
    const std::string target = ResolveTarget(m_path.Bytes());
    const std::string folder = FolderOf(target);
    struct stat st
    {
    };
    // The folder first: with it unwritable, no permission of the book's would help.
    if (!IsWritableFolder(folder)) {
        const int error = errno;
        char absolute[PATH_MAX];
        result.ok = false;
        result.message = FormatString("The folder \"%s\" cannot be written (%s), so the changes you make to "
                                      "the contact book \"%s\" will not be saved.",
                                      ::realpath(folder.c_str(), absolute) ? absolute : folder.c_str(),
                                      std::strerror(error), m_path.GetString());
    } else if (::stat(target.c_str(), &st) == 0 && S_ISREG(st.st_mode) && IsReadOnly(target, st)) {
        result.ok = false;
        result.message =
            FormatString("The contact book \"%s\" is read-only, so the changes you make will not "
                         "be saved.",
                         m_path.GetString());
    }
    return result;
}

ContactBookFile::SaveResult ContactBookFile::Save(const CContactList& contacts, const BookLock* heldLock)
{
    if (m_keepOnDisk) {
        SaveResult result;
        result.ok = false;
        result.message =
            FormatString("The contact book \"%s\" was not saved, so that the file that could not "
                         "be read is not overwritten.",
                         m_path.GetString());
        return result;
    }
    const std::string target = ResolveTarget(m_path.Bytes());
    const std::string folder = FolderOf(target);
    struct stat existing
    {
    };
    const bool exists = ::stat(target.c_str(), &existing) == 0;
    // In a folder that cannot be written, the temporary file below fails and says so.
    if (exists && S_ISREG(existing.st_mode) && IsReadOnly(target, existing) && IsWritableFolder(folder)) {
        SaveResult result;
        result.ok = false;
        result.message =
            FormatString("The contact book \"%s\" could not be saved: the file is read-only. The "
                         "file on disk was left as it was.",
                         m_path.GetString());
        return result;
    }
    // Through a link the temporaries sit beside the target, where this book's lock guards nothing.
    if (heldLock && heldLock->IsHeld() && target == m_path.Bytes())
        RemoveStaleTemporaries(folder, NameOf(target));

    std::string pattern = folder + "/." + NameOf(target) + ".tmp-XXXXXX";
    int error = Fault(SaveStep::createTemp);
    const int fd = error ? -1 : ::mkostemp(pattern.data(), O_CLOEXEC); // mode 0600
    if (fd < 0)
        return SaveFailed("creating a temporary file", error ? error : errno, CString());
    const CString tempPath(pattern);

    CFile file;
    file.Attach(fd);
    if (exists) {
        // Keep the book's own permissions and, where allowed, its owner.
        ::fchmod(fd, existing.st_mode & 07777);
        if ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
            ::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            // Not allowed to give the file away: it stays ours, with the same permissions.
        }
    }

    CArchive ar(&file, CArchive::store);
    contactbook::WriteContactBook(ar, contacts);
    error = Fault(SaveStep::write);
    if (!ar.Close() || error)
        return SaveFailed("writing", error ? error : file.GetLastError(), tempPath);
    error = Fault(SaveStep::sync);
    if (error || !file.Flush())
        return SaveFailed("writing to the disk", error ? error : file.GetLastError(), tempPath);
    error = Fault(SaveStep::close);
    if (!file.Close() || error)
        return SaveFailed("closing", error ? error : file.GetLastError(), tempPath);
    error = Fault(SaveStep::rename);
    if (error || ::rename(tempPath.GetString(), target.c_str()) != 0)
        return SaveFailed("replacing the file", error ? error : errno, tempPath);
    SyncFolder(folder);
    return {};
}

ContactBookFile::MoveAsideResult ContactBookFile::MoveDamagedAside()
{
    MoveAsideResult result;
    const CTime now = CTime::GetCurrentTime();
    const CString stem =
        FormatString("%s.damaged-%04d%02d%02d-%02d%02d%02d", m_path.GetString(), now.GetYear(),
                     now.GetMonth(), now.GetDay(), now.GetHour(), now.GetMinute(), now.GetSecond());
    int error = 0;
    for (int attempt = 1; attempt <= 100; ++attempt) {
        const CString candidate = attempt == 1 ? stem : stem + FormatString("-%d", attempt);
        if (RenameNoReplace(m_path.Bytes(), candidate.Bytes(), &error)) {
            SyncFolder(FolderOf(m_path.Bytes()));
            m_keepOnDisk = false;
            result.newPath = candidate;
            return result;
        }
        if (error != EEXIST)
            break;
    }
    result.ok = false;
    result.message = FormatString("The damaged file could not be moved aside (%s), so it will not be "
                                  "overwritten when the program ends.",
                                  std::strerror(error));
    return result;
}
