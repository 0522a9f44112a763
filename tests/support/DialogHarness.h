#pragma once

// Driving the program's dialogs from widget tests: their controls as the Qt widgets they are,
// clicks as the user makes them, and a modal run that a failed check cannot hang.
#include "platform/framework/CDialog.h"

#include <QFont>
#include <QRect>
#include <QWidget>

#include <functional>

namespace testsupport {

// The control with this id as the widget it is; null when the dialog has no such control
// (or is not open) or the control is of another kind.
template <class W> W* Control(const CDialog& dlg, int id)
{
    const CWnd* control = dlg.GetDlgItem(id);
    return control ? qobject_cast<W*>(control->GetSafeHwnd()) : nullptr;
}

// The pixels of a dialog-unit rectangle in this font, worked out here from the font's own
// metrics (the average width of the 52 letters, the line height) rather than by the program's
// conversion, so that a fault in that conversion shows.
QRect DialogUnitPixels(const QFont& font, int x, int y, int width, int height);

// A left click in the middle of the control with this id.
void Click(const CDialog& dlg, int id);

// The pixels of a control as the screen shows them (what was last painted and flushed) in the
// highlight colours, active or inactive: how picked a list looks.
int HighlightedPixels(QWidget* control);

// How RunModal ends what the action leaves open: with -2, or the dialog's own Cancel path
// (OnCancel, as Escape takes it).
enum class LeftOpen
{
    End,
    Cancel,
};

// Opens the dialog modally (by open() when given, else DoModal) and runs the action inside its
// loop, given the dialog's window; whatever it leaves open is ended, so a failed check cannot
// hang the run. Returns what the opening returned.
int RunModal(CDialog& dlg, const std::function<void(QWidget*)>& action, const std::function<int()>& open = {},
             LeftOpen leftOpen = LeftOpen::End);

// Actions of RunModal that have not run on an open dialog: one that never opened leaves one.
int UnrunModalActions();
void ForgetUnrunModalActions();

} // namespace testsupport
