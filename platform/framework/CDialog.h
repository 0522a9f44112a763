#pragma once

#include "platform/framework/CWnd.h"
#include "platform/framework/DialogTemplate.h"

#include <functional>
#include <map>
#include <memory>
#include <vector>

class CDataExchange;
class QDialog;
class QPoint;

namespace platform {
class DialogWindow;
}

// What the user did to a control, as its dialog hears of it.
enum class ControlEvent
{
    Clicked,     // a button pressed, or a static that reports clicks clicked
    SelChange,   // a list box's selection moved
    ItemClick,   // a list view clicked
    ItemChanged, // a list view's entry changed its state (picked by mouse or keys)
};

// A modal dialog made from a template. The object lives on between openings; each DoModal
// makes a fresh window from the template, binds the controls through DoDataExchange, runs a
// nested loop (timers keep firing) and destroys the window again.
//
// Handlers are bound once, by id, in the derived constructor:
//     ON_BN_CLICKED(1023, &CNotebookDlg::OnAdd);
//     ON_NM_CLICK(1021, &CNotebookDlg::OnClickBirthdayList);
// They run for the user's actions only, never while code sets a control's value.
class CDialog : public CWnd
{
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual int DoModal(); // IDOK or IDCANCEL (or what EndDialog gave); -1 without a template
    void EndDialog(int result);

    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // The control with this id as the member bound to it, or else as a plain window, valid
    // while the dialog's window exists. Null when there is no such control.
    CWnd* GetDlgItem(int id) const;
    CString GetDlgItemText(int id) const;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog(); // UpdateData(FALSE); TRUE puts the focus on the first tab stop
    virtual void OnOK();         // UpdateData(TRUE), and EndDialog(IDOK) when it succeeds
    virtual void OnCancel();     // EndDialog(IDCANCEL)
    virtual void OnClose();      // WM_CLOSE (the close box): the Cancel path

    // The framework's side, used by the window and the controls.
    void OnCommandFromControl(int id);           // a button pressed, Enter or Escape
    void SendNotify(ControlEvent event, int id); // the user's action on a control
    void SendHScroll(UINT code, UINT pos, QWidget* from);
    QWidget* FindControl(int id) const; // null without a window or control
    void BindControl(int id, CWnd& control);
    void ReportMissingControl(int id);                  // on stderr; the dialog ends with -1
    void DeliverMouseDown(int id, const QPoint& point); // to the control's OnLButtonDown
    void DeliverSetCursor(int id);                      // the control's OnSetCursor chooses
    bool IsPushingData() const { return m_pushDepth > 0; }

protected:
    template <class D> void Bind(ControlEvent event, int id, void (D::*handler)())
    {
        D* self = static_cast<D*>(this);
        m_handlers[{event, id}] = [self, handler] { (self->*handler)(); };
    }

private:
    void CreateDialogWindow(const DialogTemplate& dialogTemplate);
    void DestroyDialogWindow();

    UINT m_templateId;
    std::unique_ptr<platform::DialogWindow> m_window;
    bool* m_destroyed = nullptr; // set while DoModal runs: tells it the dialog was deleted
    std::map<int, CWnd*> m_bound;
    mutable std::map<int, std::unique_ptr<CWnd>> m_unbound; // GetDlgItem's plain windows
    std::map<std::pair<ControlEvent, int>, std::function<void()>> m_handlers;
    int m_pushDepth = 0;
    bool m_ended = false;
    int m_result = IDCANCEL;
};

// The message-map entries, written in the derived dialog's constructor. OnHScroll and OnClose
// are virtual and need none.
#define ON_BN_CLICKED(id, handler) Bind(ControlEvent::Clicked, (id), handler)
#define ON_STN_CLICKED(id, handler) Bind(ControlEvent::Clicked, (id), handler)
#define ON_LBN_SELCHANGE(id, handler) Bind(ControlEvent::SelChange, (id), handler)
#define ON_NM_CLICK(id, handler) Bind(ControlEvent::ItemClick, (id), handler)
#define ON_LVN_ITEMCHANGED(id, handler) Bind(ControlEvent::ItemChanged, (id), handler)
