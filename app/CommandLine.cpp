#include "app/CommandLine.h"

#include "app/BookCommands.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace {
CommandLine Failed(std::string error)
{
    CommandLine line;
    line.action = CommandLine::Action::Error;
    line.error = std::move(error);
    return line;
}

// The options that print from a contact book: "--list [FILE]" and
// "--birthdays [--date YYYY-MM-DD] [FILE]", without a display.
CommandLine ParseBookCommand(const std::vector<std::string>& args, std::size_t first)
{
    CommandLine line;
    line.action = args[first] == "--list" ? CommandLine::Action::List : CommandLine::Action::Birthdays;
    bool haveFile = false;
    bool optionsEnded = false;
    for (std::size_t i = first + 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (!optionsEnded && line.action == CommandLine::Action::Birthdays &&
            (arg == "--date" || arg.rfind("--date=", 0) == 0)) {
            std::string value;
            if (arg == "--date") {
                if (i + 1 == args.size())
                    return Failed("option '--date' needs a date (YYYY-MM-DD)");
                value = args[++i];
            } else {
                value = arg.substr(7);
            }
            if (!bookcommands::ParseDate(value))
                return Failed("'" + value + "' is not a date of the form YYYY-MM-DD");
            line.date = value;
            continue;
        }
        if (!optionsEnded && arg == "--") {
            optionsEnded = true;
            continue;
        }
        if (!optionsEnded && arg.size() > 1 && arg[0] == '-')
            return Failed("unknown option '" + arg + "' for '" + args[first] + "'");
        if (haveFile)
            return Failed("'" + args[first] + "' takes one contact book, not also " +
                          bookcommands::Quote(arg));
        line.file = arg;
        haveFile = true;
    }
    return line;
}

// The operands of a vCard option: the arguments after it, which must not look like options.
CommandLine ParseVCard(const std::vector<std::string>& args, std::size_t next, CommandLine::Action action)
{
    CommandLine line;
    const std::string& option = args[next - 1];
    std::vector<std::string> operands;
    for (std::size_t i = next; i < args.size(); ++i) {
        if (args[i].size() > 1 && args[i][0] == '-') {
            line.action = CommandLine::Action::Error;
            line.error = "'" + args[i] + "' cannot follow " + option;
            return line;
        }
        operands.push_back(args[i]);
    }
    const bool import = action == CommandLine::Action::ImportVCard;
    const bool vdir = action == CommandLine::Action::ExportVdir;
    const std::size_t required = import || vdir ? 1 : 0;
    if (operands.size() < required || operands.size() > required + 1) {
        line.action = CommandLine::Action::Error;
        line.error = import ? "--import-vcard takes a vCard file or folder and optionally a contact book"
                     : vdir ? "--export-vdir takes a folder and optionally a contact book"
                            : option + " takes at most a contact book";
        return line;
    }
    line.action = action;
    if (required > 0)
        line.vcard.vcf = operands[0];
    if (operands.size() > required)
        line.vcard.book = operands[required];
    return line;
}

} // namespace

CommandLine ParseOptions(const std::vector<std::string>& args)
{
    CommandLine line;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--help" || arg == "-h") {
            line.action = CommandLine::Action::Help;
            return line;
        }
        if (arg == "--version" || arg == "-v") {
            line.action = CommandLine::Action::Version;
            return line;
        }
        if (arg == "--install-autostart" || arg == "--remove-autostart") {
            line.action = arg == "--install-autostart" ? CommandLine::Action::InstallAutostart
                                                       : CommandLine::Action::RemoveAutostart;
            return line;
        }
        if (arg == "--list" || arg == "--birthdays")
            return ParseBookCommand(args, i);
        if (arg == "--export-vcard")
            return ParseVCard(args, i + 1, CommandLine::Action::ExportVCard);
        if (arg == "--import-vcard")
            return ParseVCard(args, i + 1, CommandLine::Action::ImportVCard);
        if (arg == "--export-vdir")
            return ParseVCard(args, i + 1, CommandLine::Action::ExportVdir);
        if (arg == "--export-ics")
            return ParseVCard(args, i + 1, CommandLine::Action::ExportIcs);
        if (arg == "--")
            break;
        if (arg.size() > 1 && arg[0] == '-') {
            line.action = CommandLine::Action::Error;
            line.error = "unknown option '" + arg + "'";
            return line;
        }
    }
    return line;
}

std::string HelpText()
{
    return "Usage: quillon [FILE]\n"
           "A small desktop clock that stays on top, with a contact notebook and birthday\n"
           "reminders, a scheduled shutdown or restart, a stopwatch and system facts.\n"
           "\n"
           "Without FILE the contact book date.info in the current folder is loaded; with FILE\n"
           "that book is read instead. The book is written to date.info in the current folder\n"
           "when the program ends. Right-click the clock face for the scheduler, the timer,\n"
           "system information and printing.\n"
           "\n"
           "Options:\n"
           "  -h, --help     show this help and exit\n"
           "  -v, --version  show the version and exit\n"
           "  --list [FILE]  print every contact of the book, one a line: birthday, first name,\n"
           "                 last name, tel, e-mail and note, separated by tabs; tab, CR, LF\n"
           "                 and backslash as \\t \\r \\n \\\\, other control characters and bytes\n"
           "                 that are not UTF-8 as \\xHH\n"
           "  --birthdays [--date YYYY-MM-DD] [FILE]\n"
           "                 print the contacts whose birthday is today and tomorrow (or on\n"
           "                 and after the given date), as --list does\n"
           "  --export-vcard [FILE]\n"
           "                 write the contacts of FILE (default date.info) to standard output\n"
           "                 as vCard 3.0, each with a UID made from its names and birthday\n"
           "  --export-vdir DIR [FILE]\n"
           "                 write each contact to DIR/UID.vcf, the folder khard and vdirsyncer\n"
           "                 keep; unchanged cards are left alone, no file is ever deleted\n"
           "  --import-vcard VCF [FILE]\n"
           "                 append the cards of the vCard file VCF (2.1, 3.0 or 4.0; - reads\n"
           "                 standard input), or of every .vcf file in the folder VCF, to FILE\n"
           "                 (default date.info), skipping contacts already there (also by\n"
           "                 UID) and cards without a valid birthday, then exit\n"
           "  --export-ics [FILE]\n"
           "                 write the birthdays to standard output as an iCalendar file: one\n"
           "                 all-day event a year per contact\n"
           "  --install-autostart  start Quillon at every login in the current folder, so\n"
           "                       that its date.info is the book and birthdays are shown\n"
           "  --remove-autostart   stop starting Quillon at login\n"
           "\n"
           "Environment:\n"
           "  QUILLON_SHUTDOWN_DRY_RUN=1  (any value but empty or 0) a scheduled shutdown or\n"
           "                 restart is a systemd-logind dry run: the notice counts down and\n"
           "                 nothing powers off. Still, polkit is asked as for the real one;\n"
           "                 logind holds it as a pending poweroff or reboot (Quillon refuses\n"
           "                 when one it did not ask for is pending), creates /run/nologin, so\n"
           "                 that only root may log in anew until it ends, writes its shutdown\n"
           "                 warning to the terminals of logged-in users when its wall\n"
           "                 messages are on, and logs it. Quillon leaves the wall message\n"
           "                 that logind keeps as it is.\n"
           "\n"
           "FILE defaults to date.info in the current folder; --list and --birthdays never change it.\n"
           "Only regular files are read as FILE or VCF (or the .vcf files of a folder VCF).\n";
}

void CommandOutput::Check()
{
    if (!m_failed && !m_out) {
        m_failed = true;
        m_error = errno;
    }
}

bool CommandOutput::Write(std::string_view text)
{
    if (m_failed)
        return false;
    errno = 0; // a buffered write makes no system call; a failed one leaves its reason here
    m_out.write(text.data(), static_cast<std::streamsize>(text.size()));
    Check();
    return !m_failed;
}

int CommandOutput::Finish(std::ostream& err, int status)
{
    if (!m_failed) {
        errno = 0;
        m_out.flush();
        Check();
    }
    if (!m_failed)
        return status;
    err << "quillon: write error";
    if (m_error != 0)
        err << ": " << std::strerror(m_error);
    err << '\n';
    return 1;
}
