#pragma once

#include "platform/framework/AfxWin.h"
#include "platform/framework/CString.h"
#include "platform/framework/Cursor.h"
#include "platform/framework/GdiTypes.h"

#include <QPointer>
#include <QWidget>

using HWND = QWidget*;

class CDialog;

enum ShowWindowCommand : int
{
    SW_SHOWNORMAL = 1,
};

enum WindowMessage : UINT
{
    WM_MOUSEMOVE = 0x0200,
};

enum HitTestCode : UINT
{
    HTCLIENT = 1,
};

// A window the program addresses: a dialog or one of its controls. The object outlives its
// window; a dialog's controls are attached afresh each time the dialog's window is made.
class CWnd
{
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    // Null while there is no window.
    HWND GetSafeHwnd() const { return m_widget.data(); }
    int GetDlgCtrlID() const { return m_id; }

    BOOL EnableWindow(BOOL enable = TRUE); // returns TRUE when it was disabled before
    BOOL IsWindowEnabled() const;
    void SetWindowText(const CString& text);
    // What a screen reader says of the window besides its name, as it takes the focus.
    void SetAccessibleDescription(const CString& text);
    // Inside OnSetCursor: the cursor to show over this window (null: the ordinary one).
    void SetCursor(HCURSOR cursor);

    // Messages a subclassed control sees first. The base versions do the default processing:
    // a click on a static tells its dialog, the cursor is the ordinary one.
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual void OnHScroll(UINT code, UINT pos, CWnd* scrollBar);

    // The framework's side: binds the object to a control of a dialog's window.
    void Attach(QWidget* widget, int id, CDialog* owner);
    void Detach();
    CDialog* OwnerDialog() const { return m_owner; }

private:
    friend class CDialog;
    QPointer<QWidget> m_widget;
    int m_id = 0;
    CDialog* m_owner = nullptr;
};
