#include "platform/framework/DialogWindow.h"

#include "platform/framework/CDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>

namespace platform {

namespace {
// A static control that reports clicks (SS_NOTIFY), like the About box's banner.
bool IsNotifyStatic(const QWidget* widget)
{
    return qobject_cast<const QLabel*>(widget) && (widget->property("quillonStyle").toUInt() & SS_NOTIFY);
}
} // namespace

DialogWindow::DialogWindow(CDialog* owner, QWidget* parent) : QDialog(parent), m_owner(owner) {}

void DialogWindow::AddControl(int id, DialogItemKind kind, unsigned style, QWidget* widget)
{
    widget->setProperty("quillonId", id);
    widget->setProperty("quillonStyle", style);
    if (id != -1)
        m_controls.emplace(id, Entry{widget, kind}); // the first of an id wins, as GetDlgItem finds it
    const bool enterToDialog =
        (kind == DialogItemKind::Edit || kind == DialogItemKind::RichEdit) && !(style & ES_WANTRETURN);
    if (kind == DialogItemKind::Static || enterToDialog)
        widget->installEventFilter(this);
    if (kind == DialogItemKind::ListBox || kind == DialogItemKind::ListView) {
        auto* list = static_cast<QListWidget*>(widget);
        list->viewport()->setProperty("quillonId", id);
        list->viewport()->setProperty("quillonListBox", kind == DialogItemKind::ListBox);
        list->viewport()->installEventFilter(this);
    }
}

QWidget* DialogWindow::Control(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? nullptr : it->second.widget;
}

DialogItemKind DialogWindow::Kind(int id) const
{
    const auto it = m_controls.find(id);
    return it == m_controls.end() ? DialogItemKind::Static : it->second.kind;
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
            id = button->property("quillonId").toInt();
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

bool DialogWindow::eventFilter(QObject* watched, QEvent* event)
{
    auto* widget = qobject_cast<QWidget*>(watched);
    const int id = widget ? widget->property("quillonId").toInt() : -1;
    switch (event->type()) {
    case QEvent::KeyPress: {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            keyPressEvent(static_cast<QKeyEvent*>(event));
            return true;
        }
        break;
    }
    case QEvent::ToolTipChange:
        // A static lets the mouse through to what lies beneath it, unless it has a tooltip to
        // show: then it has to see the mouse, or the tooltip never comes.
        if (qobject_cast<QLabel*>(widget) && !IsNotifyStatic(widget))
            widget->setAttribute(Qt::WA_TransparentForMouseEvents, widget->toolTip().isEmpty());
        break;
    case QEvent::MouseButtonPress:
        if (IsNotifyStatic(widget) && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            m_owner->DeliverMouseDown(id, static_cast<QMouseEvent*>(event)->position().toPoint());
            return true;
        }
        if (widget && widget->property("quillonListBox").toBool()) {
            // A list box keeps its selection when the click hits no entry.
            auto* list = qobject_cast<QListWidget*>(widget->parentWidget());
            const QListWidgetItem* hit =
                list ? list->itemAt(static_cast<QMouseEvent*>(event)->position().toPoint()) : nullptr;
            if (!hit)
                return true;
            // A notify list box reports every click on an entry; a click on the entry that is
            // already selected changes no selection, so the widget itself would say nothing.
            if (hit->isSelected() && (list->property("quillonStyle").toUInt() & LBS_NOTIFY))
                m_owner->SendNotify(LBN_SELCHANGE, id);
        }
        break;
    case QEvent::MouseButtonRelease:
        if (widget && widget->property("quillonListBox").isValid() &&
            !widget->property("quillonListBox").toBool() &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            m_owner->SendNotify(NM_CLICK, id);
        break;
    case QEvent::Enter:
    case QEvent::MouseMove:
        if (IsNotifyStatic(widget)) {
            if (!m_owner->DeliverSetCursor(id))
                widget->unsetCursor();
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace platform
