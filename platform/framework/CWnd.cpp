#include "platform/framework/CWnd.h"

#include "platform/framework/CDialog.h"
#include "platform/framework/ControlText.h"

CWnd::~CWnd() = default;

void CWnd::Attach(QWidget* widget, int id, CDialog* owner)
{
    m_widget = widget;
    m_id = id;
    m_owner = owner;
}

void CWnd::Detach()
{
    m_widget = nullptr;
    m_owner = nullptr;
}

BOOL CWnd::EnableWindow(BOOL enable)
{
    if (!m_widget)
        return FALSE;
    const BOOL wasDisabled = m_widget->isEnabled() ? FALSE : TRUE;
    m_widget->setEnabled(enable != FALSE);
    return wasDisabled;
}

BOOL CWnd::IsWindowEnabled() const
{
    return m_widget && m_widget->isEnabled() ? TRUE : FALSE;
}

void CWnd::SetWindowText(const CString& text)
{
    platform::SetControlText(m_widget, text);
}

void CWnd::SetAccessibleDescription(const CString& text)
{
    if (m_widget)
        m_widget->setAccessibleDescription(text.ToQString());
}

void CWnd::SetCursor(HCURSOR cursor)
{
    if (!m_widget)
        return;
    if (cursor)
        m_widget->setCursor(*cursor);
    else
        m_widget->unsetCursor();
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    // Only statics that report clicks are given the mouse this way.
    if (m_owner)
        m_owner->SendNotify(ControlEvent::Clicked, m_id);
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return FALSE;
}

void CWnd::OnHScroll(UINT, UINT, CWnd*) {}
