#include "platform/framework/ControlText.h"

#include "platform/framework/DialogWindow.h"

#include <QAbstractButton>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVariant>

namespace platform {

namespace {

QString Displayed(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (const auto* multi = qobject_cast<const QPlainTextEdit*>(widget))
        return multi->toPlainText();
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* group = qobject_cast<const QGroupBox*>(widget))
        return group->title();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    return widget->windowTitle();
}

void Display(QWidget* widget, const QString& text)
{
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        edit->setText(text);
        edit->setCursorPosition(0); // text set by code shows from its start, as an edit control's does
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(widget)) {
        multi->setPlainText(text);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
        label->setText(text);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
        group->setTitle(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        button->setText(text);
    } else {
        widget->setWindowTitle(text);
    }
}
} // namespace

void SetControlText(QWidget* widget, const CString& text)
{
    if (!widget)
        return;
    QString shown = text.ToQString();
    if (qobject_cast<QPlainTextEdit*>(widget)) {
        shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    }
    const QSignalBlocker blocker(widget);
    Display(widget, shown);
    // Read back what the widget made of it: that is what "unchanged" compares against.
    if (ControlRecord* record = DialogWindow::RecordOf(widget)) {
        record->hasText = true;
        record->textShown = Displayed(widget);
        record->textBytes = text.Bytes();
        // A value field is read with its caption: "Build number: 6.1.0".
        if (!record->caption.isEmpty() && qobject_cast<QLabel*>(widget))
            widget->setAccessibleName(shown.isEmpty() ? record->caption
                                                      : record->caption + QLatin1String(": ") + shown);
    }
}

CString GetControlText(const QWidget* widget)
{
    if (!widget)
        return {};
    const QString shown = Displayed(widget);
    if (const ControlRecord* record = DialogWindow::RecordOf(widget);
        record && record->hasText && record->textShown == shown)
        return CString(record->textBytes);
    QString text = shown;
    if (qobject_cast<const QPlainTextEdit*>(widget))
        text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return CString::FromQString(text);
}

} // namespace platform
