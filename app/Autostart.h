#pragma once

#include <filesystem>
#include <iosfwd>
#include <optional>
#include <string>

// The login autostart entry of the XDG Autostart convention: a desktop entry in
// $XDG_CONFIG_HOME/autostart that starts this program file in the folder of its contact book,
// so that the birthday reminders come at every login and date.info is found there.

// Where the entry lives; empty when neither an absolute XDG_CONFIG_HOME nor HOME is given.
std::filesystem::path AutostartEntryPath(const char* xdgConfigHome, const char* home);

// The entry's text, or nothing when a path cannot be written into a desktop entry (not UTF-8,
// control characters, not absolute).
std::optional<std::string> AutostartDesktopEntry(const std::filesystem::path& exe,
                                                 const std::filesystem::path& workDir);

// One argument of an Exec line, quoted and escaped as desktop entries require.
std::string QuoteExecArgument(const std::string& arg);

struct AutostartResult
{
    bool ok = false;
    std::string message;
};

// Writes the entry atomically, as the contact book is saved, creating the folders it needs.
AutostartResult InstallAutostart(const std::filesystem::path& entry, const std::filesystem::path& exe,
                                 const std::filesystem::path& workDir);
// Removes the entry; an entry that is not there is not an error.
AutostartResult RemoveAutostart(const std::filesystem::path& entry);

// --install-autostart / --remove-autostart for this process: the running program file, the
// current folder and the environment. Returns the exit code (0 or 1).
int RunAutostartOption(bool install, std::ostream& out, std::ostream& err);
