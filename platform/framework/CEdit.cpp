#include "platform/framework/CEdit.h"

#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextCursor>

void CEdit::SetSel(int start, int end)
{
    if (auto* edit = qobject_cast<QLineEdit*>(GetSafeHwnd())) {
        const int length = static_cast<int>(edit->text().size());
        const int from = qBound(0, start, length);
        const int to = end < 0 ? length : qBound(0, end, length);
        edit->setSelection(from, to - from);
    } else if (auto* multi = qobject_cast<QPlainTextEdit*>(GetSafeHwnd())) {
        QTextCursor cursor = multi->textCursor();
        const int length = static_cast<int>(multi->toPlainText().size());
        cursor.setPosition(qBound(0, start, length));
        cursor.setPosition(end < 0 ? length : qBound(0, end, length), QTextCursor::KeepAnchor);
        multi->setTextCursor(cursor);
    }
}

void CEdit::SetReadOnly(BOOL readOnly)
{
    if (auto* edit = qobject_cast<QLineEdit*>(GetSafeHwnd()))
        edit->setReadOnly(readOnly != FALSE);
    else if (auto* multi = qobject_cast<QPlainTextEdit*>(GetSafeHwnd()))
        multi->setReadOnly(readOnly != FALSE);
}

BOOL CEdit::IsReadOnly() const
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(GetSafeHwnd()))
        return edit->isReadOnly() ? TRUE : FALSE;
    if (const auto* multi = qobject_cast<const QPlainTextEdit*>(GetSafeHwnd()))
        return multi->isReadOnly() ? TRUE : FALSE;
    return FALSE;
}
