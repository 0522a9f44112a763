#include "platform/framework/CSingleDocTemplate.h"

#include "platform/framework/CDocument.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CView.h"
#include "platform/framework/Resources.h"

#include <QStringList>

CSingleDocTemplate::CSingleDocTemplate(UINT resourceId, std::function<CDocument*()> newDocument,
                                       std::function<CFrameWnd*()> newFrame, std::function<CView*()> newView)
    : m_resourceId(resourceId), m_newDocument(std::move(newDocument)), m_newFrame(std::move(newFrame)),
      m_newView(std::move(newView))
{}

CSingleDocTemplate::~CSingleDocTemplate()
{
    delete m_document;
}

CString CSingleDocTemplate::GetDocString(int index) const
{
    const QStringList fields = AfxLoadString(m_resourceId).ToQString().split(QLatin1Char('\n'));
    return index >= 0 && index < fields.size() ? CString::FromQString(fields[index]) : CString();
}

void CSingleDocTemplate::RemoveDocument(CDocument* doc)
{
    if (m_document == doc)
        m_document = nullptr;
}

CDocument* CSingleDocTemplate::OpenDocumentFile(const CString* pathName, bool makeVisible)
{
    CDocument* doc = m_document;
    CFrameWnd* frame = nullptr;
    const bool created = doc == nullptr;
    if (created) {
        doc = m_newDocument();
        if (!doc)
            return nullptr;
        doc->m_pDocTemplate = this;
        m_document = doc;
        frame = m_newFrame();
        if (!frame || !frame->LoadFrame(m_resourceId, CCreateContext{m_newView, doc})) {
            delete frame;
            m_document = nullptr;
            delete doc;
            return nullptr;
        }
    } else {
        POSITION pos = doc->GetFirstViewPosition();
        if (CView* view = doc->GetNextView(pos))
            frame = view->GetParentFrame();
    }

    bool loaded = false;
    if (!pathName) {
        CString title = GetDocString(1);
        if (title.IsEmpty())
            title = AfxLoadString(AFX_IDS_UNTITLED);
        doc->SetTitle(title);
        loaded = doc->OnNewDocument();
    } else {
        loaded = doc->OnOpenDocument(*pathName);
        if (loaded)
            doc->SetPathName(*pathName);
    }
    if (!loaded) {
        if (created) {
            m_document = nullptr;
            delete frame; // the view goes with it and leaves the document
            delete doc;
        }
        return nullptr;
    }
    if (frame)
        frame->InitialUpdateFrame(doc, makeVisible);
    return doc;
}
