#include "res/NotebookTemplate.h"

#include "platform/framework/Resources.h"
#include "res/Resource.h"

namespace res {

void RegisterNotebookTemplate()
{
    using K = DialogItemKind;
    constexpr UINT kField = ES_AUTOHSCROLL | WS_BORDER;
    platform::ResourceRegistry::Instance().RegisterDialog(DialogTemplate{
        IDD_NOTEBOOK,
        "Notebook",
        231,
        170,
        "MS Sans Serif",
        8,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        {
            // In tab order, as the dialog editor left them.
            {IDOK, K::DefPushButton, "OK", 172, 6, 50, 14},
            {IDC_NOTEBOOK_BIRTHDAY, K::DateTimePicker, "", 77, 23, 59, 16,
             DTS_SHORTDATEFORMAT | DTS_RIGHTALIGN | WS_TABSTOP},
            {IDC_NOTEBOOK_ADD, K::PushButton, "Add", 77, 51, 59, 16},
            {IDC_NOTEBOOK_FIRST_NAME, K::Edit, "", 157, 74, 59, 13, kField},
            {IDC_NOTEBOOK_LAST_NAME, K::Edit, "", 157, 96, 59, 13, kField},
            {IDC_NOTEBOOK_TEL, K::Edit, "", 157, 118, 59, 13, kField},
            {-1, K::Static, "First name", 157, 64, 52, 10},
            {-1, K::Static, "Last name", 157, 87, 52, 9},
            {-1, K::Static, "Tel", 157, 109, 52, 9},
            {IDC_NOTEBOOK_TEXT, K::RichEdit, "", 11, 101, 128, 59,
             ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_BORDER},
            {-1, K::GroupBox, "Info", 147, 51, 79, 114},
            {-1, K::GroupBox, "", 6, 3, 138, 92},
            {IDC_NOTEBOOK_EMAIL, K::Edit, "", 157, 140, 59, 13, kField},
            {-1, K::Static, "E-mail", 157, 131, 52, 9},
            {IDC_NOTEBOOK_DELETE, K::PushButton, "Delete", 77, 70, 59, 16},
            {-1, K::GroupBox, "Text", 6, 89, 138, 75},
            {-1, K::Static, "Birthday", 77, 12, 55, 9},
            {-1, K::Static, "Day/Month/Year", 14, 12, 57, 8},
            {IDC_NOTEBOOK_LIST, K::ListView, "", 14, 23, 54, 63, LVS_SMALLICON | LVS_SINGLESEL | WS_BORDER},
        },
    });
}

} // namespace res
