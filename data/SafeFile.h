#pragma once

#include "platform/framework/CFile.h"

#include <functional>
#include <string>
#include <sys/types.h>

// Reading and replacing the user's files with the care a contact book needs.

// The folder part of a path: "." for a bare name, "/" for a file at the root.
std::string FolderOf(const std::string& path);
// A rename or a new file in a folder is durable only once the folder itself is on disk.
void SyncFolder(const std::string& folder);

// Opens path for reading only when it is a regular file: nothing else is even opened, since
// opening a device can have effects, and a named pipe that takes the file's place in between
// is never waited on. With create, a missing file is made empty and private to its owner.
// Returns the descriptor, or -1 with errno set: ENOENT for a missing file, EINVAL for one that
// is not a regular file, whose type *foundMode then holds (0 otherwise).
int OpenRegularFile(const std::string& path, bool create, mode_t* foundMode);

// A file replaced whole or not at all: written to a temporary file beside it, named
// ".<name>.tmp-XXXXXX" and private to its owner, pushed to the disk, renamed over the file,
// and the folder pushed to the disk too, so that the rename survives a crash. Until Commit
// succeeds the file is untouched; the temporary file goes when this object does.
class AtomicFile
{
public:
    enum class Step
    {
        createTemp,
        write,
        sync,
        close,
        rename,
    };
    // Returns an errno value to make that step fail, 0 to let it run (for tests).
    using FaultHook = std::function<int(Step)>;

    explicit AtomicFile(std::string target, FaultHook fault = {});
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;
    ~AtomicFile();

    bool Create();
    // The temporary file, for the caller to set its mode and write.
    CFile& File() { return m_file; }
    // written: whether every write of the caller succeeded; if not, the file's last error says why.
    bool Commit(bool written);

    // After a failure: the step and its errno value.
    Step FailedStep() const { return m_failedStep; }
    int Error() const { return m_error; }

    // Removes the temporary files of saves killed midway beside target: regular files of ours
    // named as Create names them, never target itself (not even as a hard link). Only safe
    // while nothing else replaces target (its lock is held).
    static void RemoveStaleTemporaries(const std::string& target);

private:
    bool Fail(Step step, int error);

    std::string m_target;
    std::string m_tempPath;
    FaultHook m_fault;
    CFile m_file;
    Step m_failedStep = Step::createTemp;
    int m_error = 0;
};
