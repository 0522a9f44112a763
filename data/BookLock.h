#pragma once

#include "platform/framework/CString.h"

// Keeps a second copy of the program from using the same contact book: an exclusive flock on
// "<book>.lock" beside it, held while this object holds it. The lock file itself is never
// removed, since removing it would let two processes lock two different files. A symbolic link
// in its place is never followed, so that nobody can make the program create or open a file
// elsewhere through it.
class BookLock
{
public:
    struct Result
    {
        enum class Outcome
        {
            acquired,
            inUse,   // another process holds the book in this folder
            failed,  // the lock file could not be made; the book itself may still be usable
            refused, // a link or something other than a file is in its place: never followed
                     // nor created elsewhere, so this copy runs unguarded
        };
        Outcome outcome = Outcome::acquired;
        CString message; // empty when acquired
        bool IsAcquired() const { return outcome == Outcome::acquired; }
    };

    BookLock() = default;
    BookLock(const BookLock&) = delete;
    BookLock& operator=(const BookLock&) = delete;
    ~BookLock() { Release(); }

    Result Acquire(const CString& bookPath);
    void Release();
    bool IsHeld() const { return m_fd >= 0; }

    static CString LockPathFor(const CString& bookPath) { return bookPath + CString(".lock"); }

private:
    int m_fd = -1;
};
