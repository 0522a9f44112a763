#include "platform/framework/Resources.h"
#include "res/Resource.h"
#include "res/Templates.h"

namespace res {

void RegisterAboutTemplate()
{
    using K = DialogItemKind;
    platform::ResourceRegistry::Instance().RegisterDialog(DialogTemplate{
        IDD_ABOUTBOX,
        "About Quillon",
        179,
        74,
        "MS Sans Serif",
        8,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        {
            {-1, K::Static, "", 149, 4, 20, 20, SS_ICON, 0, IDI_CLOCK},
            {-1, K::Static, "Quillon Version 1.0", 4, 4, 72, 8, SS_NOPREFIX | WS_GROUP},
            {-1, K::Static, "Written by the Quillon developers", 4, 14, 128, 8, WS_GROUP},
            {-1, K::Static, "E-mail: dev@quillon.example.org", 4, 24, 112, 8, WS_GROUP},
            {-1, K::Static, "Website: ", 4, 34, 30, 8, WS_GROUP},
            {IDOK, K::DefPushButton, "OK", 120, 27, 50, 17, BS_FLAT | WS_TABSTOP | WS_GROUP},
            {IDC_BANNER, K::Static, "", 5, 51, 165, 16, SS_BITMAP | SS_NOTIFY | SS_SUNKEN, 0, IDB_BANNER},
            {-1, K::Static, "quillon.example.org", 35, 34, 75, 8, WS_GROUP},
        },
    });
}

} // namespace res
