#pragma once

#include "platform/framework/AfxWin.h"
#include "platform/framework/CString.h"
#include "platform/framework/GdiTypes.h"

#include <QPointer>
#include <QWidget>

using HWND = QWidget*;

class CDialog;

enum ShowWindowCommand : int
{
    SW_HIDE = 0,
    SW_SHOWNORMAL = 1,
    SW_SHOW = 5,
};

enum WindowMessage : UINT
{
    WM_CLOSE = 0x0010,
    WM_SETCURSOR = 0x0020,
    WM_HSCROLL = 0x0114,
    WM_MOUSEMOVE = 0x0200,
    WM_LBUTTONDOWN = 0x0201,
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
    bool IsWindowOpen() const { return !m_widget.isNull(); }
    int GetDlgCtrlID() const { return m_id; }

    BOOL EnableWindow(BOOL enable = TRUE); // returns TRUE when it was disabled before
    BOOL IsWindowEnabled() const;
    BOOL ShowWindow(int showCommand);
    BOOL IsWindowVisible() const;
    void SetWindowText(const CString& text);
    CString GetWindowText() const;
    void GetWindowText(CString& text) const { text = GetWindowText(); }
    CWnd* SetFocus();

    // Messages a subclassed control sees first. The base versions do the default processing.
    virtual void OnLButtonDown(UINT flags, CPoint point);
    virtual BOOL OnSetCursor(CWnd* wnd, UINT hitTest, UINT message);
    virtual void OnHScroll(UINT code, UINT pos, CWnd* scrollBar);

    // The framework's side: binds the object to a control of a dialog's window.
    void Attach(QWidget* widget, int id, CDialog* owner);
    void Detach();
    CDialog* OwnerDialog() const { return m_owner; }

protected:
    // Default processing of the message being handled now.
    LRESULT Default();

private:
    friend class CDialog;
    QPointer<QWidget> m_widget;
    int m_id = 0;
    CDialog* m_owner = nullptr;
    UINT m_currentMessage = 0;
};
