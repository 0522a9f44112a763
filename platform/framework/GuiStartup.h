#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace platform {

// What starting the GUI asks of the process environment, for the start only. Under Wayland
// the program runs through XWayland (a Wayland client can neither place itself nor stay on
// top), and the X connection goes without shared-memory images. Both are read while the
// application object is built; Restore() then puts the user's own values back, so that
// nothing the program started (the browser of the About box) inherits them.
class GuiStartup
{
public:
    GuiStartup();
    ~GuiStartup() { Restore(); }
    GuiStartup(const GuiStartup&) = delete;
    GuiStartup& operator=(const GuiStartup&) = delete;

    void Restore();

    // Held while the application object is built: a display that cannot be opened ends the
    // process with status 1 and a message saying so, instead of Qt's abort.
    class DisplayGuard
    {
    public:
        DisplayGuard();
        ~DisplayGuard();
        DisplayGuard(const DisplayGuard&) = delete;
        DisplayGuard& operator=(const DisplayGuard&) = delete;
    };

private:
    void Set(const char* name, const char* value, bool overwrite);

    std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

} // namespace platform
