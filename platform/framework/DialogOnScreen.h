#pragma once

#include <QObject>

class QWidget;

namespace platform {

// Keeps every dialog of the program, frame included, inside the screen's available area:
// one centred on a clock at the top of the screen would have its title bar, and the close
// box on it, above the screen's edge. Installed once on the application; it acts whenever the
// window manager tells a dialog's frame.
class DialogOnScreen : public QObject
{
    Q_OBJECT

public:
    explicit DialogOnScreen(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static void KeepOnScreen(QWidget* dialog);
};

} // namespace platform
