// Prints the pixel point of a dialog-unit point in the dialogs' font, for driving dialogs
// with xdotool.
#include "platform/framework/DialogUnits.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const auto base = platform::MeasureBaseUnits(platform::DialogFont("MS Sans Serif", 8));
    const QRect r = platform::MapDialogRect(QRect(std::atoi(argv[1]), std::atoi(argv[2]), 0, 0), base);
    std::printf("%d %d\n", r.x(), r.y());
    return 0;
}
