#pragma once

#include "data/BookLock.h"
#include "data/CContactList.h"
#include "data/ContactBookFormat.h"
#include "data/SafeFile.h"
#include "platform/framework/CString.h"

// The contact book on disk: loading it (creating it private and empty when missing), saving
// it atomically, and keeping a damaged file aside instead of overwriting it. Every operation
// returns its outcome with a text fit for a message box; nothing throws.
class ContactBookFile
{
public:
    struct LoadResult
    {
        enum class Outcome
        {
            loaded,  // the whole book, possibly empty
            damaged, // the contacts before the damage were appended; see details
            failed,  // nothing could be read (cannot open or create, not a regular file)
        };
        Outcome outcome = Outcome::loaded;
        contactbook::ReadResult details;
        CString movedTo; // with LoadOrSetAside: where the damaged file now is, if it was moved
        CString message; // empty when loaded
        bool IsLoaded() const { return outcome == Outcome::loaded; }
    };

    struct SaveResult
    {
        bool ok = true;
        CString message; // empty when ok
    };

    struct MoveAsideResult
    {
        bool ok = true;
        CString newPath;
        CString message; // empty when ok
    };

    // The steps of a save, for tests that make one of them fail.
    using SaveStep = AtomicFile::Step;
    // Returns an errno value to make that step fail, 0 to let it run.
    using FaultHook = AtomicFile::FaultHook;

    explicit ContactBookFile(CString path = CString("date.info"));

    const CString& GetPath() const { return m_path; }

    // What Load does when the file is not there.
    enum class IfMissing
    {
        create, // the book: made empty, mode 0600
        fail,   // a file the user named: only ever read
    };

    // Appends the book's contacts in file order; a file of length zero is an empty book.
    LoadResult Load(CContactList* contacts, IfMissing ifMissing = IfMissing::create);
    // Load, and when the file is damaged, move it aside at once; the message then tells both.
    LoadResult LoadOrSetAside(CContactList* contacts);

    // Writes a temporary file beside the book (mode 0600, or the book's own permissions),
    // syncs it, renames it over the book and syncs the folder. On failure the book on disk is
    // untouched and the temporary file is gone. A read-only book (no write permission, or no
    // write bit at all) is not replaced. With the book's lock held, temporary files that saves
    // killed midway left beside the book are removed first.
    SaveResult Save(const CContactList& contacts, const BookLock* heldLock = nullptr);

    // Why a save would fail before it is tried, in words for the user: a read-only book or a
    // folder that cannot be written. ok says only that neither stands in the way.
    SaveResult CheckSavable() const;

    // Renames the book to "<path>.damaged-YYYYMMDD-HHMMSS" (local time), never replacing a file.
    MoveAsideResult MoveDamagedAside();

    // False while a damaged or unreadable book is still in place: saving would destroy it.
    bool IsSaveAllowed() const { return !m_keepOnDisk; }

    void SetFaultHookForTesting(FaultHook hook) { m_faultHook = std::move(hook); }

private:
    SaveResult SaveFailed(const char* what, int error);

    CString m_path;
    bool m_keepOnDisk = false;
    FaultHook m_faultHook;
};
