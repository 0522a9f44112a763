#pragma once

#include "data/BookLock.h"
#include "data/CContactList.h"
#include "data/ContactBookFile.h"
#include "platform/framework/CDocument.h"

class CQuillonView;

// The document: loads the contact book at start-up and writes it back when it closes. It
// holds no contacts itself; the list lives in its view's Notebook dialog.
class CQuillonDoc : public CDocument
{
public:
    CQuillonDoc() = default;
    ~CQuillonDoc() override = default;

    bool OnNewDocument() override;
    bool OnOpenDocument(const CString& pathName) override;
    void OnCloseDocument() override;
    // The book is written at every save point of the session, not only at the end.
    bool SaveModified() override { return Save(); }

    CQuillonView* GetView() const;
    CContactList* GetContacts() const;

    // The book the program writes at exit: date.info in the folder it was started from.
    ContactBookFile m_book{CString("date.info")};

private:
    bool LockBook();
    // Tells the user once, at start-up, when the book cannot be saved where it is.
    void WarnIfUnsavable();
    bool Save();

    // Held for the document's life: a second copy in the same folder would overwrite this
    // one's changes at exit, or this one's.
    BookLock m_lock;
};
