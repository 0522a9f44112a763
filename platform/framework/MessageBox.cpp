#include "platform/framework/MessageBox.h"

#include <QApplication>
#include <QMessageBox>

#include <utility>

namespace {
platform::MessageBoxHandler& Handler()
{
    static platform::MessageBoxHandler handler;
    return handler;
}
} // namespace

int AfxMessageBox(const CString& text, UINT type)
{
    if (const auto& handler = Handler())
        return handler(text, type);
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(QApplication::applicationName());
    box.setText(text.ToQString());
    const UINT icon = type & 0xF0;
    box.setIcon(icon == MB_ICONEXCLAMATION ? QMessageBox::Warning
                : icon == MB_ICONHAND      ? QMessageBox::Critical
                                           : QMessageBox::NoIcon);
    if ((type & 0xF) == MB_RETRYCANCEL) {
        box.setStandardButtons(QMessageBox::Retry | QMessageBox::Cancel);
        box.setDefaultButton(QMessageBox::Retry);
        return box.exec() == QMessageBox::Retry ? IDRETRY : IDCANCEL;
    }
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
    return IDOK;
}

namespace platform {
MessageBoxHandler SetMessageBoxHandlerForTesting(MessageBoxHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}
} // namespace platform
