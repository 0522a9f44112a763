#include "data/QuillonDoc.h"

#include "view/QuillonView.h"

CQuillonView* CQuillonDoc::GetView() const
{
    POSITION pos = GetFirstViewPosition();
    return static_cast<CQuillonView*>(GetNextView(pos));
}

bool CQuillonDoc::OnNewDocument()
{
    return CDocument::OnNewDocument();
}

bool CQuillonDoc::OnOpenDocument(const CString& pathName)
{
    return CDocument::OnOpenDocument(pathName);
}

void CQuillonDoc::OnCloseDocument()
{
    CDocument::OnCloseDocument();
}
