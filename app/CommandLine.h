#pragma once

#include <optional>
#include <string>
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
    };
    Action action = Action::Gui;
    std::string error;
    std::string file = "date.info"; // the book --list and --birthdays read
    std::string date;               // --date as given; empty: the local date
    // --export-vcard [FILE] and --import-vcard VCF [FILE]
    struct VCardRequest
    {
        std::string vcf;
        std::string book = "date.info";
    } vcard;
};

CommandLine ParseOptions(const std::vector<std::string>& args);
std::string HelpText();
