#include "platform/system/Shell.h"

#include <QDesktopServices>
#include <QString>
#include <QUrl>

#include <cstring>

HINSTANCE ShellExecute(QWidget* /*owner*/, const char* verb, const char* file, const char* /*parameters*/,
                       const char* /*directory*/, int /*showCommand*/)
{
    if (!file || (verb && std::strcmp(verb, "open") != 0))
        return SE_ERR_NOASSOC;
    const QUrl url = QUrl::fromUserInput(QString::fromUtf8(file));
    if (!url.isValid())
        return SE_ERR_NOASSOC;
    return QDesktopServices::openUrl(url) ? 42 : SE_ERR_NOASSOC;
}
