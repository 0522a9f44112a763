#include "res/SystemInfoTemplate.h"

#include "platform/framework/Resources.h"
#include "res/Resource.h"

namespace res {

void RegisterSystemInfoTemplate()
{
    using K = DialogItemKind;
    platform::ResourceRegistry::Instance().RegisterDialog(DialogTemplate{
        IDD_SYSTEMINFO,
        "Dialog",
        199,
        130,
        "MS Sans Serif",
        8,
        DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU,
        {
            {IDOK, K::PushButton, "OK", 9, 108, 181, 14, BS_FLAT | WS_TABSTOP},
            {-1, K::Static, "", 10, 9, 180, 45, SS_LEFT, WS_EX_STATICEDGE},
            {-1, K::Static, "", 10, 58, 180, 45, SS_LEFT, WS_EX_STATICEDGE},
            {IDC_SYSINFO_PROCESSORS, K::Static, "Static", 96, 63, 75, 10, SS_LEFT},
            {IDC_SYSINFO_ARCHITECTURE, K::Static, "Static", 96, 78, 75, 10, SS_LEFT},
            {IDC_SYSINFO_PROCESSOR_LEVEL, K::Static, "Static", 96, 90, 92, 10, SS_LEFT},
            {-1, K::Static, "Processor architecture", 14, 78, 75, 10, SS_LEFT},
            {-1, K::Static, "Processor level", 14, 90, 75, 10, SS_LEFT},
            {IDC_SYSINFO_OS, K::Static, "Static", 96, 12, 57, 11, SS_LEFT},
            {-1, K::Static, "Number of processors", 14, 63, 75, 10, SS_LEFT},
            {IDC_SYSINFO_BUILD, K::Static, "Static", 96, 25, 57, 11, SS_LEFT},
            {IDC_SYSINFO_SERVICE_PACK, K::Static, "Static", 96, 39, 91, 11, SS_LEFT},
            {-1, K::Static, "Operation system", 13, 12, 57, 11, SS_LEFT},
            {-1, K::Static, "Build number", 13, 25, 57, 11, SS_LEFT},
            {-1, K::Static, "Service pack", 13, 39, 57, 11, SS_LEFT},
        },
    });
}

} // namespace res
