#include "platform/system/Beep.h"

#include <QApplication>

#ifdef QUILLON_HAVE_CANBERRA
#include <canberra.h>
#endif

namespace {
platform::BeepHandler& Handler()
{
    static platform::BeepHandler handler;
    return handler;
}

#ifdef QUILLON_HAVE_CANBERRA
// Where the desktop has a sound theme its "bell" is what the user expects to hear; without
// one, or without a sound server, the call fails quietly and the display's bell remains.
void PlayThemeBell()
{
    static ca_context* context = [] {
        ca_context* made = nullptr;
        if (ca_context_create(&made) != CA_SUCCESS)
            return static_cast<ca_context*>(nullptr);
        ca_context_change_props(made, CA_PROP_APPLICATION_NAME, "Quillon", nullptr);
        return made;
    }();
    static bool soundless = false;
    if (!context || soundless)
        return;
    const int error =
        ca_context_play(context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION, "Timer", nullptr);
    // No sound device, server or theme sound: stop asking for this run, so each beep neither
    // retries nor complains again; the display's bell goes on ringing.
    soundless = error != CA_SUCCESS;
}
#endif
} // namespace

bool MessageBeep(UINT type)
{
    if (const auto& handler = Handler()) {
        handler(type);
        return true;
    }
    QApplication::beep();
#ifdef QUILLON_HAVE_CANBERRA
    PlayThemeBell();
#endif
    return true;
}

namespace platform {
void SetBeepHandlerForTesting(BeepHandler handler)
{
    Handler() = std::move(handler);
}
} // namespace platform
