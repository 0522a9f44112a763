#include "platform/framework/CDialog.h"

#include "platform/framework/CDataExchange.h"
#include "platform/framework/CFrameWnd.h"
#include "platform/framework/CWinApp.h"
#include "platform/framework/ControlText.h"
#include "platform/framework/DialogWindow.h"
#include "platform/framework/Resources.h"

#include <QWindow>
#include <QtGlobal>

CDialog::CDialog(UINT templateId, CWnd*) : m_templateId(templateId) {}

CDialog::~CDialog()
{
    if (m_destroyed)
        *m_destroyed = true;
    // The derived dialog's control members are gone already: forget them, do not detach them.
    m_bound.clear();
    DestroyDialogWindow();
}

int CDialog::DoModal()
{
    const DialogTemplate* dialogTemplate = platform::ResourceRegistry::Instance().FindDialog(m_templateId);
    if (!dialogTemplate || m_window)
        return -1;
    m_ended = false;
    m_result = IDCANCEL;
    // The program may delete the dialog while it runs (from a timer, say); then nothing of
    // it may be touched once its handlers or its loop return.
    bool destroyed = false;
    m_destroyed = &destroyed;
    CreateDialogWindow(*dialogTemplate);
    const BOOL focusFirst = OnInitDialog();
    if (destroyed)
        return -1;
    if (!m_ended && m_window) {
        if (focusFirst) {
            for (QWidget* w = m_window->nextInFocusChain(); w && w != m_window.get();
                 w = w->nextInFocusChain()) {
                if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(m_window.get())) {
                    w->setFocus(Qt::TabFocusReason);
                    break;
                }
            }
        }
        m_window->exec();
        if (destroyed)
            return -1;
    }
    m_destroyed = nullptr;
    DestroyDialogWindow();
    return m_result;
}

void CDialog::CreateDialogWindow(const DialogTemplate& dialogTemplate)
{
    // The dialog alone owns its window; the main window, once on screen, is the window it
    // belongs to on the desktop (kept above it, centred on it), not its owner.
    m_window = std::make_unique<platform::DialogWindow>(this, nullptr);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (dialogTemplate.style & WS_SYSMENU)
        flags |= Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    m_window->setWindowFlags(flags);
    platform::BuildDialogControls(m_window.get(), dialogTemplate, this);
    if (CWinApp* app = AfxGetApp(); app && app->m_pMainWnd && app->m_pMainWnd->isVisible()) {
        m_window->winId();
        m_window->windowHandle()->setTransientParent(app->m_pMainWnd->windowHandle());
    }
    Attach(m_window.get(), 0, nullptr);
}

void CDialog::DestroyDialogWindow()
{
    for (auto& [id, control] : m_bound)
        control->Detach();
    m_bound.clear();
    m_unbound.clear();
    m_window.reset();
    Detach();
}

void CDialog::EndDialog(int result)
{
    m_result = result;
    m_ended = true;
    if (m_window && m_window->isVisible())
        m_window->done(result);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    if (!m_window)
        return FALSE;
    CDataExchange exchange(this, saveAndValidate != FALSE);
    // Values pushed to the controls are the program's, not the user's: no notifications.
    struct PushGuard
    {
        int& depth;
        bool active;
        ~PushGuard()
        {
            if (active)
                --depth;
        }
    } guard{m_pushDepth, saveAndValidate == FALSE};
    if (guard.active)
        ++m_pushDepth;
    try {
        DoDataExchange(&exchange);
    } catch (const CUserException&) {
        return FALSE;
    }
    return TRUE;
}

CWnd* CDialog::GetDlgItem(int id) const
{
    if (const auto it = m_bound.find(id); it != m_bound.end())
        return it->second;
    QWidget* widget = FindControl(id);
    if (!widget)
        return nullptr;
    auto& slot = m_unbound[id];
    if (!slot) {
        slot = std::make_unique<CWnd>();
        slot->Attach(widget, id, const_cast<CDialog*>(this));
    }
    return slot.get();
}

CString CDialog::GetDlgItemText(int id) const
{
    return platform::GetControlText(FindControl(id));
}

QWidget* CDialog::FindControl(int id) const
{
    return m_window ? m_window->Control(id) : nullptr;
}

void CDialog::BindControl(int id, CWnd& control)
{
    QWidget* widget = FindControl(id);
    if (!widget)
        return;
    m_unbound.erase(id);
    control.Attach(widget, id, this);
    m_bound[id] = &control;
}

void CDialog::ReportMissingControl(int id)
{
    qCritical("Dialog template %u has no control %d for the dialog's data exchange", m_templateId, id);
    EndDialog(-1);
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::OnClose()
{
    // The default processing of WM_CLOSE: the Cancel button's command, unless it is disabled.
    if (const QWidget* cancel = FindControl(IDCANCEL); cancel && !cancel->isEnabled())
        return;
    OnCommandFromControl(IDCANCEL);
}

void CDialog::OnCommandFromControl(int id)
{
    if (const auto it = m_handlers.find({ControlEvent::Clicked, id}); it != m_handlers.end()) {
        const auto handler = it->second; // the handler may rebind
        handler();
    } else if (id == IDOK) {
        OnOK();
    } else if (id == IDCANCEL) {
        OnCancel();
    }
}

void CDialog::SendNotify(ControlEvent event, int id)
{
    if (IsPushingData() || !m_window)
        return;
    if (const auto it = m_handlers.find({event, id}); it != m_handlers.end()) {
        const auto handler = it->second;
        handler();
    }
}

void CDialog::SendHScroll(UINT code, UINT pos, QWidget* from)
{
    if (IsPushingData() || !m_window || !from)
        return;
    OnHScroll(code, pos, GetDlgItem(platform::ControlIdOf(from)));
}

void CDialog::DeliverMouseDown(int id, const QPoint& point)
{
    if (CWnd* control = GetDlgItem(id))
        control->OnLButtonDown(0x0001 /* MK_LBUTTON */, CPoint{point.x(), point.y()});
}

void CDialog::DeliverSetCursor(int id)
{
    CWnd* control = GetDlgItem(id);
    if (control && !control->OnSetCursor(control, HTCLIENT, WM_MOUSEMOVE))
        control->SetCursor(nullptr);
}
