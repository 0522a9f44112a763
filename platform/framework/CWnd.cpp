#include "platform/framework/CWnd.h"

#include "platform/framework/CDialog.h"
#include "platform/framework/ControlText.h"

#include <QLabel>

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

BOOL CWnd::ShowWindow(int showCommand)
{
    if (!m_widget)
        return FALSE;
    const BOOL wasVisible = m_widget->isVisibleTo(m_widget->window()) ? TRUE : FALSE;
    m_widget->setVisible(showCommand != SW_HIDE);
    return wasVisible;
}

BOOL CWnd::IsWindowVisible() const
{
    return m_widget && m_widget->isVisible() ? TRUE : FALSE;
}

void CWnd::SetWindowText(const CString& text)
{
    platform::SetControlText(m_widget, text);
}

CString CWnd::GetWindowText() const
{
    return platform::GetControlText(m_widget);
}

CWnd* CWnd::SetFocus()
{
    if (m_widget)
        m_widget->setFocus(Qt::OtherFocusReason);
    return nullptr;
}

void CWnd::OnLButtonDown(UINT, CPoint)
{
    Default();
}

BOOL CWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    return static_cast<BOOL>(Default());
}

void CWnd::OnHScroll(UINT, UINT, CWnd*)
{
    Default();
}

LRESULT CWnd::Default()
{
    // A static with SS_NOTIFY tells its dialog of a click; the rest is the widgets' own.
    if (m_currentMessage == WM_LBUTTONDOWN && m_owner && qobject_cast<QLabel*>(m_widget.data()))
        m_owner->SendNotify(STN_CLICKED, m_id);
    return 0;
}
