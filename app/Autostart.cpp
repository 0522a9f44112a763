#include "app/Autostart.h"

#include "app/CommandLine.h"
#include "data/SafeFile.h"

#include <QStringDecoder>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <sys/stat.h>

namespace fs = std::filesystem;

namespace {
// Desktop entries are UTF-8 text, one key per line: reject what would break either.
bool IsWritableText(const std::string& s)
{
    for (char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7f)
            return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8);
    const QString decoded = decoder(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
    return !decoder.hasError();
}

// The general escape of string values: a backslash stands for itself only when doubled.
std::string EscapeValue(const std::string& s)
{
    std::string out;
    for (char c : s) {
        if (c == '\\')
            out += '\\';
        out += c;
    }
    return out;
}

std::string ErrnoText(int error)
{
    return std::strerror(error);
}

// File names in messages are quoted as everywhere else in the program.
std::string Quoted(const fs::path& path)
{
    return '"' + path.string() + '"';
}
} // namespace

fs::path AutostartEntryPath(const char* xdgConfigHome, const char* home)
{
    // A relative XDG_CONFIG_HOME is invalid by the base-directory rules and is ignored.
    fs::path base;
    if (xdgConfigHome && *xdgConfigHome && fs::path(xdgConfigHome).is_absolute())
        base = xdgConfigHome;
    else if (home && *home)
        base = fs::path(home) / ".config";
    else
        return {};
    return base / "autostart" / "quillon.desktop";
}

std::string QuoteExecArgument(const std::string& arg)
{
    static const std::string reserved = " \t\n\"'\\><~|&;$*?#()`";
    std::string body;
    bool quote = arg.empty();
    for (char c : arg) {
        if (reserved.find(c) != std::string::npos)
            quote = true;
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            body += '\\';
        body += c;
        if (c == '%')
            body += '%'; // a literal percent sign, not a field code
    }
    return quote ? '"' + body + '"' : body;
}

std::optional<std::string> AutostartDesktopEntry(const fs::path& exe, const fs::path& workDir)
{
    if (!exe.is_absolute() || !workDir.is_absolute() || !IsWritableText(exe.string()) ||
        !IsWritableText(workDir.string()))
        return std::nullopt;
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Quillon\n"
           "Comment=Desktop clock with birthday reminders\n"
           "Exec=" +
           EscapeValue(QuoteExecArgument(exe.string())) +
           "\n"
           "Path=" +
           EscapeValue(workDir.string()) +
           "\n"
           "Icon=quillon\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

AutostartResult InstallAutostart(const fs::path& entry, const fs::path& exe, const fs::path& workDir)
{
    const std::optional<std::string> text = AutostartDesktopEntry(exe, workDir);
    if (!text)
        return {false, "cannot name " + Quoted(exe) + " in " + Quoted(workDir) + " in an autostart entry"};
    std::error_code ec;
    fs::create_directories(entry.parent_path(), ec);
    if (ec)
        return {false, "cannot create " + Quoted(entry.parent_path()) + ": " + ec.message()};

    AtomicFile file(entry.string());
    if (!file.Create())
        return {false, "cannot write " + Quoted(entry) + ": " + ErrnoText(file.Error())};
    if (::fchmod(file.File().GetHandle(), 0644) != 0)
        return {false, "cannot write " + Quoted(entry) + ": " + ErrnoText(errno)};
    if (!file.Commit(file.File().Write(text->data(), text->size())))
        return {false, "cannot write " + Quoted(entry) + ": " + ErrnoText(file.Error())};
    return {true, "Autostart entry written: " + entry.string() + "\nAt login Quillon starts in " +
                      workDir.string() + " and reads the contact book date.info there.\n"};
}

AutostartResult RemoveAutostart(const fs::path& entry)
{
    std::error_code ec;
    if (fs::remove(entry, ec))
        return {true, "Autostart entry removed: " + entry.string() + "\n"};
    if (ec)
        return {false, "cannot remove " + Quoted(entry) + ": " + ec.message()};
    return {true, "No autostart entry to remove at " + entry.string() + "\n"};
}

int RunAutostartOption(bool install, std::ostream& out, std::ostream& err)
{
    const fs::path entry = AutostartEntryPath(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"));
    if (entry.empty()) {
        err << "quillon: neither XDG_CONFIG_HOME nor HOME is set\n";
        return 1;
    }
    AutostartResult result;
    if (install) {
        std::error_code exeError;
        std::error_code dirError;
        const fs::path exe = fs::read_symlink("/proc/self/exe", exeError);
        const fs::path workDir = fs::current_path(dirError);
        if (exeError || dirError) {
            err << "quillon: cannot tell the program file or the current folder: "
                << (exeError ? exeError : dirError).message() << '\n';
            return 1;
        }
        result = InstallAutostart(entry, exe, workDir);
    } else {
        result = RemoveAutostart(entry);
    }
    if (!result.ok) {
        err << "quillon: " << result.message << '\n';
        return 1;
    }
    CommandOutput output(out);
    output.Write(result.message);
    return output.Finish(err, 0);
}
