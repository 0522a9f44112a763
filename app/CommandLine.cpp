#include "app/CommandLine.h"

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
           "  --install-autostart  start Quillon at every login in the current folder, so\n"
           "                       that its date.info is the book and birthdays are shown\n"
           "  --remove-autostart   stop starting Quillon at login\n"
           "\n"
           "Environment:\n"
           "  QUILLON_SHUTDOWN_DRY_RUN=1  a scheduled shutdown or restart runs its countdown\n"
           "                              and then does nothing (systemd's dry run)\n";
}
