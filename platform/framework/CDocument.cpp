#include "platform/framework/CDocument.h"

#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CSingleDocTemplate.h"
#include "platform/framework/CView.h"

#include <QFileInfo>
#include <algorithm>

CDocument::~CDocument()
{
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
}

bool CDocument::OnNewDocument()
{
    DeleteContents();
    m_pathName.Empty();
    SetModifiedFlag(false);
    return true;
}

bool CDocument::OnOpenDocument(const CString& pathName)
{
    SetPathName(pathName);
    SetModifiedFlag(false);
    return true;
}

void CDocument::OnCloseDocument()
{
    // Take the frames down first; the views go with them.
    std::vector<CFrameWnd*> frames;
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame();
            frame && std::find(frames.begin(), frames.end(), frame) == frames.end())
            frames.push_back(frame);
    for (CView* view : m_views)
        view->m_pDocument = nullptr;
    m_views.clear();
    for (CFrameWnd* frame : frames)
        frame->DestroyWindow();
    if (m_pDocTemplate)
        m_pDocTemplate->RemoveDocument(this);
    delete this;
}

void CDocument::AddView(CView* view)
{
    m_views.push_back(view);
    view->m_pDocument = this;
}

void CDocument::RemoveView(CView* view)
{
    m_views.erase(std::remove(m_views.begin(), m_views.end(), view), m_views.end());
    if (view->m_pDocument == this)
        view->m_pDocument = nullptr;
}

CView* CDocument::GetNextView(POSITION& position) const
{
    if (position == 0 || position > m_views.size())
        return nullptr;
    CView* view = m_views[position - 1];
    position = position < m_views.size() ? position + 1 : 0;
    return view;
}

void CDocument::SetTitle(const CString& title)
{
    m_title = title;
    for (CView* view : m_views)
        if (CFrameWnd* frame = view->GetParentFrame())
            frame->OnUpdateFrameTitle();
}

void CDocument::SetPathName(const CString& pathName)
{
    m_pathName = pathName;
    SetTitle(CString::FromQString(QFileInfo(pathName.ToQString()).fileName()));
}
