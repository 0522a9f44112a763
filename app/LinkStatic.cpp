#include "app/LinkStatic.h"

#include "platform/system/Shell.h"
#include "res/Resource.h"

CLinkStatic::CLinkStatic() : m_strURL("https://quillon.example.org/")
{
    m_hCursor = AfxLoadCursor(IDC_HAND);
}

CLinkStatic::~CLinkStatic() = default;

BOOL CLinkStatic::OnSetCursor(CWnd* wnd, UINT hitTest, UINT message)
{
    if (m_hCursor) {
        SetCursor(m_hCursor);
        return TRUE;
    }
    return CStatic::OnSetCursor(wnd, hitTest, message);
}

void CLinkStatic::OnLButtonDown(UINT flags, CPoint point)
{
    // Whether a browser came up is the desktop's business; the box stays as it is.
    ShellExecute(nullptr, "open", m_strURL.GetString(), nullptr, nullptr, SW_SHOWNORMAL);
    CStatic::OnLButtonDown(flags, point);
}
