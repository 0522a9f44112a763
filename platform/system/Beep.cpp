#include "platform/system/Beep.h"

#include <QApplication>

namespace {
platform::BeepHandler& Handler()
{
    static platform::BeepHandler handler;
    return handler;
}
} // namespace

bool MessageBeep(UINT type)
{
    if (const auto& handler = Handler()) {
        handler(type);
        return true;
    }
    QApplication::beep();
    return true;
}

namespace platform {
void SetBeepHandlerForTesting(BeepHandler handler)
{
    Handler() = std::move(handler);
}
} // namespace platform
