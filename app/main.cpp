#include "app/Autostart.h"
#include "app/BookCommands.h"
#include "app/CommandLine.h"
#include "app/ExportCommands.h"
#include "app/QuillonApp.h"
#include "app/VCardCommands.h"
#include "platform/system/DesktopNotification.h"
#include "res/Resource.h"

#include <QGuiApplication>

#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

CQuillonApp theApp;

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv, argv + argc);
    const CommandLine line = ParseOptions(args);
    switch (line.action) {
    case CommandLine::Action::Help:
    case CommandLine::Action::Version: {
        CommandOutput output(std::cout);
        output.Write(line.action == CommandLine::Action::Help
                         ? HelpText()
                         : std::string("quillon ") + QUILLON_VERSION + '\n');
        return output.Finish(std::cerr, 0);
    }
    case CommandLine::Action::Error:
        std::fprintf(stderr, "quillon: %s\nTry 'quillon --help' for more information.\n", line.error.c_str());
        return 2;
    case CommandLine::Action::InstallAutostart:
    case CommandLine::Action::RemoveAutostart:
        return RunAutostartOption(line.action == CommandLine::Action::InstallAutostart, std::cout, std::cerr);
    case CommandLine::Action::List:
        return bookcommands::ListContacts(line.file, std::cout, std::cerr);
    case CommandLine::Action::Birthdays: {
        const auto date =
            line.date.empty() ? bookcommands::LocalToday() : *bookcommands::ParseDate(line.date);
        return bookcommands::PrintBirthdays(line.file, date, std::cout, std::cerr);
    }
    case CommandLine::Action::ExportVCard:
        return ExportVCards(line.vcard.book, std::cout, std::cerr);
    case CommandLine::Action::ImportVCard:
        return ImportVCards(line.vcard.vcf, line.vcard.book, std::cin, std::cout, std::cerr);
    case CommandLine::Action::ExportVdir:
        return ExportVdir(line.vcard.vcf, line.vcard.book, std::cout, std::cerr);
    case CommandLine::Action::ExportIcs:
        return ExportBirthdayCalendar(line.vcard.book, std::cout, std::cerr);
    case CommandLine::Action::Gui:
        break;
    }
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.Quillon")); // matches the menu entry
    SetDesktopNotificationIcon("quillon");                                      // the menu entry's icon
    res::RegisterResources();
    return AfxWinMain(argc, argv);
}
