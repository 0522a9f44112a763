#include "data/QuillonDoc.h"

#include "platform/framework/MessageBox.h"
#include "view/QuillonView.h"

#include <cstdio>

CQuillonView* CQuillonDoc::GetView() const
{
    POSITION pos = GetFirstViewPosition();
    return static_cast<CQuillonView*>(GetNextView(pos));
}

CContactList* CQuillonDoc::GetContacts() const
{
    CQuillonView* view = GetView();
    return view ? &view->m_notebookDlg.m_contacts : nullptr;
}

bool CQuillonDoc::LockBook()
{
    const BookLock::Result locked = m_lock.Acquire(m_book.GetPath());
    if (locked.outcome == BookLock::Result::Outcome::inUse) {
        AfxMessageBox(locked.message);
        return false;
    }
    // A link planted in the lock's place is not followed; the user is told and the clock runs.
    if (locked.outcome == BookLock::Result::Outcome::refused)
        AfxMessageBox(locked.message, MB_ICONEXCLAMATION);
    // Without a lock file (a folder we cannot write) the book still loads; WarnIfUnsavable says so.
    return true;
}

void CQuillonDoc::WarnIfUnsavable()
{
    // A book that could not be read is never saved, and its message has said so already.
    if (!m_book.IsSaveAllowed())
        return;
    const ContactBookFile::SaveResult savable = m_book.CheckSavable();
    if (!savable.ok)
        AfxMessageBox(savable.message, MB_ICONEXCLAMATION);
}

bool CQuillonDoc::OnNewDocument()
{
    CContactList* contacts = GetContacts();
    if (!contacts || !LockBook())
        return false;
    const ContactBookFile::LoadResult loaded = m_book.LoadOrSetAside(contacts);
    if (!loaded.IsLoaded())
        AfxMessageBox(loaded.message);
    WarnIfUnsavable();
    return CDocument::OnNewDocument();
}

bool CQuillonDoc::OnOpenDocument(const CString& pathName)
{
    CContactList* contacts = GetContacts();
    if (!contacts || !LockBook())
        return false;
    // The named file is only read, never made; the book is still written to date.info at
    // exit, so a damaged file given by name is left where it is. One that cannot be read at
    // all ends the start-up: carrying on would write an empty book over date.info.
    ContactBookFile named(pathName);
    const ContactBookFile::LoadResult loaded = named.Load(contacts, ContactBookFile::IfMissing::fail);
    if (loaded.outcome == ContactBookFile::LoadResult::Outcome::failed) {
        m_lock.Release();
        const CString message =
            loaded.message + FormatString(" Quillon was not started, and \"%s\" was left as it was.",
                                          m_book.GetPath().GetString());
        std::fprintf(stderr, "quillon: %s\n", message.GetString());
        AfxMessageBox(message, MB_ICONHAND);
        return false;
    }
    if (!loaded.IsLoaded())
        AfxMessageBox(loaded.message);
    WarnIfUnsavable();
    return CDocument::OnOpenDocument(pathName);
}

bool CQuillonDoc::Save()
{
    const CContactList* contacts = GetContacts();
    if (!contacts)
        return true;
    for (;;) {
        if (!m_book.IsSaveAllowed())
            return true; // a damaged book that could not be set aside is never overwritten
        const ContactBookFile::SaveResult saved = m_book.Save(*contacts, &m_lock);
        if (saved.ok)
            return true;
        const CString question = saved.message + CString("\n\nRetry to try again, or Cancel to keep Quillon "
                                                         "open with the contacts unsaved.");
        if (AfxMessageBox(question, MB_RETRYCANCEL | MB_ICONHAND) != IDRETRY)
            return false;
    }
}

void CQuillonDoc::OnCloseDocument()
{
    // The list dies with the view in the base close, so it is written first. A failed save
    // that the user does not retry keeps the program, and the contacts, where they are.
    if (!Save())
        return;
    m_lock.Release();
    CDocument::OnCloseDocument();
}
