#pragma once

#include "platform/framework/DialogTemplate.h"

#include <QDialog>
#include <QString>

#include <map>
#include <string>
#include <vector>

class CDialog;

namespace platform {

// What the dialog keeps of one control (or of the window itself) besides its widget.
struct ControlRecord
{
    int id = -1;
    DialogItemKind kind = DialogItemKind::Static;
    unsigned style = 0;
    int radioGroup = 0;     // auto radio buttons uncheck the others of their group
    int selectionMark = -1; // list views: the item the user picked last
    // The bytes code set as the text, given back while the widget still shows textShown.
    bool hasText = false;
    std::string textBytes;
    QString textShown;
    QString caption; // what the control is announced by, where it has no text of its own
};

// The window of one opening of a CDialog: its controls by id, and the keys and mouse input
// that every dialog shares (Enter, Escape, the close box, static clicks).
class DialogWindow : public QDialog
{
    Q_OBJECT

public:
    DialogWindow(CDialog* owner, QWidget* parent);

    void AddControl(const ControlRecord& record, QWidget* widget);
    QWidget* Control(int id) const;
    bool HasControl(int id) const { return m_byId.count(id) != 0; }
    void SetDefaultId(int id) { m_defaultId = id; }

    // The record of a control of a dialog window, or of the window itself; null for any
    // other widget. A list's viewport answers for its list.
    static ControlRecord* RecordOf(const QWidget* widget);

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    void Command(int id);
    // The radio buttons of a group, in the template's order.
    std::vector<QWidget*> RadioGroup(int group) const;
    // A group of radio buttons is one tab stop, entered at its checked button or its first.
    void SetRadioTabStops();
    // The arrow keys move through a group and check the button they reach.
    void MoveInRadioGroup(QWidget* from, bool forward);
    ControlRecord* Record(const QWidget* widget);

    CDialog* m_owner;
    std::map<const QWidget*, ControlRecord> m_records;
    std::vector<QWidget*> m_radios;                       // in the template's order
    std::map<const QWidget*, const QWidget*> m_viewports; // a list's viewport to the list
    std::map<int, QWidget*> m_byId;
    int m_defaultId = 1;
};

// Makes the controls of a template in a fresh window, at their rectangles in pixels.
void BuildDialogControls(DialogWindow* window, const DialogTemplate& dialogTemplate, CDialog* owner);

// The template id of a dialog's control; -1 for any other widget.
int ControlIdOf(const QWidget* widget);

} // namespace platform
