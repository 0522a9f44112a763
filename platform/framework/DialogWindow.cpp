#include "platform/framework/DialogWindow.h"

#include "platform/framework/CDialog.h"

#include <QAbstractButton>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

#include <algorithm>

namespace platform {

namespace {
// A static control that reports clicks (SS_NOTIFY), like the About box's banner.
bool IsNotifyStatic(const QWidget* widget, const ControlRecord* record)
{
    return record && qobject_cast<const QLabel*>(widget) && (record->style & SS_NOTIFY);
}
} // namespace

DialogWindow::DialogWindow(CDialog* owner, QWidget* parent) : QDialog(parent), m_owner(owner)
{
    m_records[this] = ControlRecord{}; // the caption's text
}

void DialogWindow::AddControl(const ControlRecord& record, QWidget* widget)
{
    m_records[widget] = record; // a control lives exactly as long as its window
    const int id = record.id;
    if (id != -1)
        m_byId.emplace(id, widget); // the first of an id wins, as GetDlgItem finds it
    const DialogItemKind kind = record.kind;
    const bool enterToDialog =
        (kind == DialogItemKind::Edit || kind == DialogItemKind::RichEdit) && !(record.style & ES_WANTRETURN);
    if (kind == DialogItemKind::RadioButton)
        m_radios.push_back(widget);
    if (kind == DialogItemKind::Static || kind == DialogItemKind::RadioButton || enterToDialog)
        widget->installEventFilter(this);
    if (kind == DialogItemKind::ListBox || kind == DialogItemKind::ListView) {
        QWidget* viewport = static_cast<QListWidget*>(widget)->viewport();
        m_viewports[viewport] = widget;
        viewport->installEventFilter(this);
    }
}

QWidget* DialogWindow::Control(int id) const
{
    const auto it = m_byId.find(id);
    return it == m_byId.end() ? nullptr : it->second;
}

ControlRecord* DialogWindow::Record(const QWidget* widget)
{
    if (const auto vit = m_viewports.find(widget); vit != m_viewports.end())
        widget = vit->second;
    const auto it = m_records.find(widget);
    return it == m_records.end() ? nullptr : &it->second;
}

ControlRecord* DialogWindow::RecordOf(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    auto* window = qobject_cast<DialogWindow*>(widget->window());
    return window ? window->Record(widget) : nullptr;
}

int ControlIdOf(const QWidget* widget)
{
    const ControlRecord* record = DialogWindow::RecordOf(widget);
    return record ? record->id : -1;
}

void DialogWindow::Command(int id)
{
    // A disabled button cannot be reached by its key either.
    if (const QWidget* button = Control(id); button && !button->isEnabled())
        return;
    m_owner->OnCommandFromControl(id);
}

void DialogWindow::reject()
{
    Command(2); // IDCANCEL
}

void DialogWindow::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        // A push button with the focus is the default button while it has it.
        int id = m_defaultId;
        if (const auto* button = qobject_cast<QPushButton*>(focusWidget());
            button && button->window() == this)
            id = ControlIdOf(button);
        Command(id);
        return;
    }
    case Qt::Key_Escape:
        Command(2);
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void DialogWindow::closeEvent(QCloseEvent* event)
{
    // The dialog decides; if it ends itself the window is hidden already.
    event->ignore();
    m_owner->OnClose();
}

std::vector<QWidget*> DialogWindow::RadioGroup(int group) const
{
    std::vector<QWidget*> members;
    for (QWidget* radio : m_radios)
        if (m_records.at(radio).radioGroup == group)
            members.push_back(radio);
    return members;
}

void DialogWindow::SetRadioTabStops()
{
    for (QWidget* radio : m_radios) {
        const int group = m_records.at(radio).radioGroup;
        const std::vector<QWidget*> members = RadioGroup(group);
        if (members.front() != radio)
            continue; // each group once, from its first button
        const bool tabStop = std::any_of(members.begin(), members.end(), [this](const QWidget* member) {
            return (m_records.at(member).style & WS_TABSTOP) != 0;
        });
        QWidget* entry = nullptr;
        for (QWidget* member : members)
            if (member->isEnabled() && static_cast<QAbstractButton*>(member)->isChecked())
                entry = member;
        if (!entry) {
            const auto enabled = std::find_if(members.begin(), members.end(),
                                              [](const QWidget* member) { return member->isEnabled(); });
            entry = enabled != members.end() ? *enabled : members.front();
        }
        for (QWidget* member : members)
            member->setFocusPolicy(member == entry && tabStop ? Qt::StrongFocus : Qt::ClickFocus);
    }
}

void DialogWindow::MoveInRadioGroup(QWidget* from, bool forward)
{
    const std::vector<QWidget*> members = RadioGroup(m_records.at(from).radioGroup);
    const auto count = static_cast<std::ptrdiff_t>(members.size());
    const std::ptrdiff_t at = std::find(members.begin(), members.end(), from) - members.begin();
    for (std::ptrdiff_t step = 1; step < count; ++step) {
        QWidget* next = members[static_cast<std::size_t>((at + (forward ? step : count - step)) % count)];
        if (!next->isEnabled())
            continue;
        next->setFocus(Qt::OtherFocusReason);
        static_cast<QAbstractButton*>(next)->click();
        return;
    }
}

bool DialogWindow::focusNextPrevChild(bool next)
{
    SetRadioTabStops();
    return QDialog::focusNextPrevChild(next);
}

void DialogWindow::showEvent(QShowEvent* event)
{
    SetRadioTabStops();
    QDialog::showEvent(event);
}

bool DialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    const ControlRecord* record = widget ? Record(widget) : nullptr;
    const int id = record ? record->id : -1;
    const bool isViewport = record && m_viewports.count(widget) != 0;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const auto* keyEvent = static_cast<QKeyEvent*>(event);
        const int key = keyEvent->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
        const bool arrow =
            key == Qt::Key_Up || key == Qt::Key_Down || key == Qt::Key_Left || key == Qt::Key_Right;
        if (arrow && record && record->kind == DialogItemKind::RadioButton &&
            !(keyEvent->modifiers() & ~Qt::KeypadModifier)) {
            MoveInRadioGroup(widget, key == Qt::Key_Down || key == Qt::Key_Right);
            return true;
        }
        break;
    }
    case QEvent::ToolTipChange:
        // A static lets the mouse through to what lies beneath it, unless it has a tooltip to
        // show: then it has to see the mouse, or the tooltip never comes.
        if (qobject_cast<QLabel*>(widget) && !IsNotifyStatic(widget, record))
            widget->setAttribute(Qt::WA_TransparentForMouseEvents, widget->toolTip().isEmpty());
        break;
    case QEvent::MouseButtonPress:
        if (IsNotifyStatic(widget, record) && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_owner->DeliverMouseDown(id, static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        }
        if (isViewport && record->kind == DialogItemKind::ListBox) {
            // A list box keeps its selection when the click hits no entry.
            auto* list = qobject_cast<QListWidget*>(widget->parentWidget());
            const QListWidgetItem* hit =
                list ? list->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()) : nullptr;
            if (!hit)
                return true;
            // A notify list box reports every click on an entry; a click on the entry that is
            // already selected changes no selection, so the widget itself would say nothing.
            if (hit->isSelected() && (record->style & LBS_NOTIFY))
                m_owner->SendNotify(ControlEvent::SelChange, id);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (isViewport && record->kind == DialogItemKind::ListView &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_owner->SendNotify(ControlEvent::ItemClick, id);
        break;
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (IsNotifyStatic(widget, record))
            m_owner->DeliverSetCursor(id);
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace platform
