#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The options a user or a script gives quillon before any window exists. Anything that is
// not an option is left to the framework's own command line (a file to open).
struct CommandLine
{
    enum class Action
    {
        Gui,
        Help,
        Version,
        InstallAutostart,
        RemoveAutostart,
        Error,
        List,      // --list [FILE]
        Birthdays, // --birthdays [--date YYYY-MM-DD] [FILE]
        ExportVCard,
        ImportVCard,
        ExportVdir, // --export-vdir DIR [FILE]
        ExportIcs,  // --export-ics [FILE]
    };
    Action action = Action::Gui;
    std::string error;
    std::string file = "date.info"; // the book --list and --birthdays read
    std::string date;               // --date as given; empty: the local date
    // --export-vcard [FILE], --import-vcard VCF [FILE], --export-vdir DIR [FILE], --export-ics [FILE]
    struct VCardRequest
    {
        std::string vcf; // the file or folder to import, or the folder to export to
        std::string book = "date.info";
    } vcard;
};

CommandLine ParseOptions(const std::vector<std::string>& args);
std::string HelpText();

// Standard output of a command as GNU tools treat it: a write that fails (a full disk, a file
// closed under us) is reported once on standard error with its reason, and the command ends
// with status 1 instead of pretending it printed everything.
class CommandOutput
{
public:
    explicit CommandOutput(std::ostream& out) : m_out(out) {}

    // False once a write has failed; nothing more is written then.
    bool Write(std::string_view text);
    // Flushes what is left. Returns status, or 1 after "quillon: write error: <reason>" on err.
    int Finish(std::ostream& err, int status);

private:
    void Check();

    std::ostream& m_out;
    bool m_failed = false;
    int m_error = 0; // errno of the write that failed, when known
};
