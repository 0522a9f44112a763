#include "res/NotebookTemplate.h"
#include "res/Resource.h"
#include "res/TimerTemplate.h"

#include "res/HolidaysTemplate.h"

#include "platform/framework/Resources.h"
#include "res/Images.h"
#include "res/ShutdownTemplate.h"
#include "res/SystemInfoTemplate.h"
#include "res/Templates.h"

namespace res {

void RegisterResources()
{
    InitImageResources();
    auto& registry = platform::ResourceRegistry::Instance();
    registry.RegisterString(AFX_IDS_APP_TITLE, "Quillon");
    registry.RegisterString(IDR_MAINFRAME, "Quillon\n\nQuillon\n\n\nQuillon.Document\nQuillon Document");
    registry.RegisterMenu(
        IDR_MAINFRAME,
        {
            {"&Clock",
             0,
             {{"&Notebook...", ID_CLOCK_NOTEBOOK, {}}, {nullptr, 0, {}}, {"E&xit", ID_APP_EXIT, {}}}},
            {"&Help", 0, {{"&About Quillon...", ID_APP_ABOUT, {}}}},
        });
    RegisterNotebookTemplate();
    RegisterShutdownTemplate();
    RegisterTimerTemplate();
    RegisterAboutTemplate();
    RegisterSystemInfoTemplate();
    RegisterHolidaysTemplate();
}

} // namespace res
