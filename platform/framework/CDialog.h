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

// Notification codes, as the platform numbers them.
inline constexpr UINT BN_CLICKED = 0;
inline constexpr UINT STN_CLICKED = 0;
inline constexpr UINT LBN_SELCHANGE = 1;
inline constexpr UINT NM_CLICK = static_cast<UINT>(-2);
inline constexpr UINT LVN_ITEMCHANGED = static_cast<UINT>(-101);

struct NMHDR
{
    HWND hwndFrom = nullptr;
    UINT idFrom = 0;
    UINT code = 0;
};

// A modal dialog made from a template. The object lives on between openings; each DoModal
// makes a fresh window from the template, binds the controls through DoDataExchange, runs a
// nested loop (timers keep firing) and destroys the window again.
//
// Handlers are bound once, by id, in the derived constructor:
//     ON_BN_CLICKED(1023, &CNotebookDlg::OnAdd);
//     ON_NOTIFY(NM_CLICK, 1021, &CNotebookDlg::OnClickBirthdayList);
// They run for the user's actions only, never while code sets a control's value.
class CDialog : public CWnd
{
public:
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    ~CDialog() override;

    virtual int DoModal(); // IDOK or IDCANCEL (or what EndDialog gave); -1 without a template
    void EndDialog(int result);

    BOOL UpdateData(BOOL saveAndValidate = TRUE);
    // The control with this id as the member bound to it, or as a framework-owned object of
    // its kind (CButton, CEdit, CStatic, CListBox, CListCtrl, CSliderCtrl, CSpinButtonCtrl,
    // CDateTimeCtrl), valid while the window exists. Null when there is no such control.
    CWnd* GetDlgItem(int id) const;
    CString GetDlgItemText(int id) const;

    virtual void DoDataExchange(CDataExchange* pDX);
    virtual BOOL OnInitDialog(); // UpdateData(FALSE); TRUE puts the focus on the first tab stop
    virtual void OnOK();         // UpdateData(TRUE), and EndDialog(IDOK) when it succeeds
    virtual void OnCancel();     // EndDialog(IDCANCEL)
    virtual void OnClose();      // WM_CLOSE (the close box): the Cancel path

    // The framework's side, used by the window and the controls.
    void OnCommandFromControl(int id);  // a button pressed, Enter or Escape
    void SendNotify(UINT code, int id); // a notification from a control
    void SendHScroll(UINT code, UINT pos, QWidget* from);
    QWidget* FindControl(int id) const; // null without a window or control
    void BindControl(int id, CWnd& control);
    void ReportMissingControl(int id);                  // on stderr; the dialog ends with -1
    void DeliverMouseDown(int id, const QPoint& point); // to the control's OnLButtonDown
    void DeliverSetCursor(int id);                      // the control's OnSetCursor chooses
    bool IsPushingData() const { return m_pushDepth > 0; }

protected:
    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<void(NMHDR*, LRESULT*)>;
    void BindCommand(UINT code, int id, CommandHandler handler);
    void BindNotify(UINT code, int id, NotifyHandler handler);
    template <class D> void BindCommand(UINT code, int id, void (D::*handler)())
    {
        D* self = static_cast<D*>(this);
        BindCommand(code, id, CommandHandler([self, handler] { (self->*handler)(); }));
    }
    template <class D> void BindNotify(UINT code, int id, void (D::*handler)(NMHDR*, LRESULT*))
    {
        D* self = static_cast<D*>(this);
        BindNotify(code, id,
                   NotifyHandler([self, handler](NMHDR* nm, LRESULT* r) { (self->*handler)(nm, r); }));
    }

private:
    void CreateDialogWindow(const DialogTemplate& dialogTemplate);
    void DestroyDialogWindow();
    CWnd* TemporaryControl(int id) const;

    UINT m_templateId;
    std::unique_ptr<platform::DialogWindow> m_window;
    bool* m_destroyed = nullptr; // set while DoModal runs: tells it the dialog was deleted
    std::map<int, CWnd*> m_bound;
    mutable std::map<int, std::unique_ptr<CWnd>> m_temporary;
    std::map<std::pair<UINT, int>, CommandHandler> m_commands;
    std::map<std::pair<UINT, int>, NotifyHandler> m_notifies;
    int m_pushDepth = 0;
    bool m_ended = false;
    int m_result = IDCANCEL;
};

// The message-map entries, written in the derived dialog's constructor.
#define ON_BN_CLICKED(id, handler) BindCommand(BN_CLICKED, (id), handler)
#define ON_STN_CLICKED(id, handler) BindCommand(STN_CLICKED, (id), handler)
#define ON_LBN_SELCHANGE(id, handler) BindCommand(LBN_SELCHANGE, (id), handler)
#define ON_NOTIFY(code, id, handler) BindNotify((code), (id), handler)
// OnHScroll and OnClose are virtual and always reached; these entries say so where the
// original message map said it.
#define ON_WM_HSCROLL() static_cast<void>(0)
#define ON_WM_CLOSE() static_cast<void>(0)
