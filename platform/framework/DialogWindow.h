#pragma once

#include "platform/framework/DialogTemplate.h"

#include <QDialog>

#include <map>

class CDialog;

namespace platform {

// The window of one opening of a CDialog: its controls by id, and the keys and mouse input
// that the platform's dialog manager handles (Enter, Escape, the close box, static clicks).
class DialogWindow : public QDialog
{
    Q_OBJECT

public:
    DialogWindow(CDialog* owner, QWidget* parent);

    void AddControl(int id, DialogItemKind kind, unsigned style, QWidget* widget);
    QWidget* Control(int id) const;
    bool HasControl(int id) const { return m_controls.count(id) != 0; }
    DialogItemKind Kind(int id) const;
    void SetDefaultId(int id) { m_defaultId = id; }
    int DefaultId() const { return m_defaultId; }

    void reject() override;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Entry
    {
        QWidget* widget;
        DialogItemKind kind;
    };
    void Command(int id);

    CDialog* m_owner;
    std::map<int, Entry> m_controls;
    int m_defaultId = 1;
};

// Makes the controls of a template in a fresh window, at their rectangles in pixels.
void BuildDialogControls(DialogWindow* window, const DialogTemplate& dialogTemplate, CDialog* owner);

} // namespace platform
