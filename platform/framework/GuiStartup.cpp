#include "platform/framework/GuiStartup.h"

#include <QString>
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace platform {

namespace {
QtMessageHandler g_previous = nullptr;
std::string g_reasons; // what the platform plugin said before giving up

void ReportMissingDisplay(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    const bool platformNote =
        context.category && std::strncmp(context.category, "qt.qpa", 6) == 0 && type != QtDebugMsg;
    if (platformNote) {
        QString reason = message.trimmed();
        while (reason.endsWith(QLatin1Char('.')))
            reason.chop(1);
        if (!g_reasons.empty())
            g_reasons += "; ";
        g_reasons += reason.toStdString();
    }
    if (type != QtFatalMsg) {
        if (g_previous && !platformNote)
            g_previous(type, context, message);
        return;
    }
    const char* display = std::getenv("DISPLAY");
    const char* wayland = std::getenv("WAYLAND_DISPLAY");
    std::fprintf(stderr,
                 "quillon: no display could be opened (DISPLAY=%s, WAYLAND_DISPLAY=%s)%s%s.\n"
                 "quillon: Quillon is a desktop clock and needs a graphical session; "
                 "start it from the desktop or set DISPLAY.\n",
                 display ? display : "unset", wayland ? wayland : "unset", g_reasons.empty() ? "" : ": ",
                 g_reasons.c_str());
    std::fflush(stderr);
    std::_Exit(1); // nothing is loaded yet, so nothing is lost
}
} // namespace

GuiStartup::GuiStartup()
{
    const char* platform = std::getenv("QT_QPA_PLATFORM");
    if ((platform == nullptr || *platform == '\0') && std::getenv("WAYLAND_DISPLAY") &&
        std::getenv("DISPLAY"))
        Set("QT_QPA_PLATFORM", "xcb", true);
    // A window this small gains nothing from shared-memory images, and each of their
    // completion events would wake the process a second and a third time per tick.
    Set("QT_XCB_NO_MITSHM", "1", false);
}

void GuiStartup::Set(const char* name, const char* value, bool overwrite)
{
    const char* old = std::getenv(name);
    if (old && !overwrite)
        return; // the user's own choice stays, and stays theirs
    m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    ::setenv(name, value, 1);
}

void GuiStartup::Restore()
{
    for (const auto& [name, value] : m_saved) {
        if (value)
            ::setenv(name.c_str(), value->c_str(), 1);
        else
            ::unsetenv(name.c_str());
    }
    m_saved.clear();
}

GuiStartup::DisplayGuard::DisplayGuard()
{
    g_reasons.clear();
    g_previous = qInstallMessageHandler(ReportMissingDisplay);
}

GuiStartup::DisplayGuard::~DisplayGuard()
{
    qInstallMessageHandler(g_previous);
    g_previous = nullptr;
}

} // namespace platform
