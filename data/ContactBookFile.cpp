#include "data/ContactBookFile.h"

#include "data/SafeFile.h"
#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CTime.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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

// The step of a save that failed, in its message.
const char* StepText(AtomicFile::Step step)
{
    switch (step) {
    case AtomicFile::Step::createTemp:
        return "creating a temporary file";
    case AtomicFile::Step::write:
        return "writing";
    case AtomicFile::Step::sync:
        return "writing to the disk";
    case AtomicFile::Step::close:
        return "closing";
    case AtomicFile::Step::rename:
        break;
    }
    return "replacing the file";
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
    mode_t found = 0;
    const int fd = OpenRegularFile(path, ifMissing == IfMissing::create, &found);
    if (fd < 0 && found != 0) {
        m_keepOnDisk = true;
        result.outcome = LoadResult::Outcome::failed;
        result.message =
            FormatString("The contact book \"%s\" is not a file, so it was not read.", path.c_str());
        return result;
    }
    if (fd < 0) {
        m_keepOnDisk = true;
        result.outcome = LoadResult::Outcome::failed;
        result.message = FormatString("The contact book \"%s\" could not be opened: %s.", path.c_str(),
                                      std::strerror(errno));
        if (ifMissing == IfMissing::create)
            result.message += CString(" The notebook starts empty and will not be saved.");
        return result;
    }
    CFile file;
    file.Attach(fd);
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

ContactBookFile::SaveResult ContactBookFile::SaveFailed(const char* what, int error)
{
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
        AtomicFile::RemoveStaleTemporaries(target);

    AtomicFile file(target, m_faultHook);
    if (!file.Create())
        return SaveFailed(StepText(file.FailedStep()), file.Error());
    if (exists) {
        // Keep the book's own permissions and, where allowed, its owner.
        const int fd = file.File().GetHandle();
        ::fchmod(fd, existing.st_mode & 07777);
        if ((existing.st_uid != ::geteuid() || existing.st_gid != ::getegid()) &&
            ::fchown(fd, existing.st_uid, existing.st_gid) != 0) {
            // Not allowed to give the file away: it stays ours, with the same permissions.
        }
    }

    CArchive ar(&file.File(), CArchive::store);
    contactbook::WriteContactBook(ar, contacts);
    if (!file.Commit(ar.Close()))
        return SaveFailed(StepText(file.FailedStep()), file.Error());
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
