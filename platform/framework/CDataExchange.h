#pragma once

#include "platform/framework/AfxWin.h"
#include "platform/framework/COleDateTime.h"
#include "platform/framework/CString.h"
#include "platform/framework/CTime.h"

class CDialog;
class CWnd;
class QWidget;

// Thrown by CDataExchange::Fail and caught by UpdateData; never reaches the program.
class CUserException
{
};

// One data exchange between a dialog's members and its controls. UpdateData makes one and
// runs DoDataExchange with it; a failed conversion or validation stops the exchange there.
class CDataExchange
{
public:
    CDataExchange(CDialog* dialog, bool saveAndValidate);

    // The control about to be exchanged; the focus goes back to it when the exchange fails.
    // An id the dialog's template lacks ends the exchange and the dialog (DoModal gives -1).
    QWidget* PrepareCtrl(int id);
    QWidget* PrepareEditCtrl(int id);
    // Ends the exchange: focus to the last control (all its text selected when an edit),
    // and UpdateData returns FALSE.
    [[noreturn]] void Fail();

    BOOL m_bSaveAndValidate;
    CDialog* m_pDlgWnd;

private:
    QWidget* m_lastControl = nullptr;
    bool m_lastIsEdit = false;
};

// The exchange functions the program's dialogs call; "save" means control to member.
void DDX_Control(CDataExchange* pDX, int id, CWnd& control);
void DDX_Text(CDataExchange* pDX, int id, CString& value);
void DDX_Text(CDataExchange* pDX, int id, int& value); // "Please enter an integer."
void DDX_Check(CDataExchange* pDX, int id, int& value);
void DDX_Slider(CDataExchange* pDX, int id, int& value);
void DDX_DateTimeCtrl(CDataExchange* pDX, int id, CTime& value);
void DDX_DateTimeCtrl(CDataExchange* pDX, int id, COleDateTime& value);
// Push: selects the first entry that begins with the value, or none. Pull: the selected
// entry's text, or "".
void DDX_LBString(CDataExchange* pDX, int id, CString& value);
// On save only: "Please enter an integer between %d and %d."
void DDV_MinMaxInt(CDataExchange* pDX, int value, int minimum, int maximum);
