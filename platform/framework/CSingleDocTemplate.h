#pragma once

#include "platform/framework/AfxWin.h"
#include "platform/framework/CString.h"

#include <functional>

class CDocument;
class CFrameWnd;
class CView;

// Ties one document class, one frame class and one view class together and runs the
// single-document start-up: document, then frame and view, then the document's load, then
// the view's initial update.
class CSingleDocTemplate
{
public:
    CSingleDocTemplate(UINT resourceId, std::function<CDocument*()> newDocument,
                       std::function<CFrameWnd*()> newFrame, std::function<CView*()> newView);
    ~CSingleDocTemplate();
    CSingleDocTemplate(const CSingleDocTemplate&) = delete;
    CSingleDocTemplate& operator=(const CSingleDocTemplate&) = delete;

    // pathName null: a new document. Returns the document, or null when any step failed.
    CDocument* OpenDocumentFile(const CString* pathName, bool makeVisible = true);
    void RemoveDocument(CDocument* doc);
    CDocument* GetDocument() const { return m_document; }

    // One of the seven fields of the template string, "\n"-separated.
    CString GetDocString(int index) const;

private:
    UINT m_resourceId;
    std::function<CDocument*()> m_newDocument;
    std::function<CFrameWnd*()> m_newFrame;
    std::function<CView*()> m_newView;
    CDocument* m_document = nullptr;
};
