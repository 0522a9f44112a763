#include "dialogs/VCardDropTarget.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace {

// The dropped paths when every one is a .vcf file or a folder on this machine, else none.
std::vector<std::string> VCardPaths(const QMimeData* data)
{
    std::vector<std::string> paths;
    if (!data || !data->hasUrls())
        return paths;
    for (const QUrl& url : data->urls()) {
        const QFileInfo file(url.toLocalFile());
        if (!url.isLocalFile() ||
            !(file.isDir() || file.suffix().compare(QStringLiteral("vcf"), Qt::CaseInsensitive) == 0))
            return {};
        paths.push_back(file.filePath().toStdString());
    }
    return paths;
}

} // namespace

VCardDropTarget::VCardDropTarget(Handler handler, QObject* parent)
    : QObject(parent), m_handler(std::move(handler))
{}

void VCardDropTarget::Watch(QWidget* window)
{
    if (!window)
        return;
    window->setAcceptDrops(true);
    window->installEventFilter(this);
    for (QWidget* child : window->findChildren<QWidget*>()) {
        child->setAcceptDrops(true);
        child->installEventFilter(this);
    }
}

bool VCardDropTarget::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
        return QObject::eventFilter(watched, event);
    auto* drop = static_cast<QDropEvent*>(event);
    const std::vector<std::string> paths = VCardPaths(drop->mimeData());
    if (paths.empty())
        return QObject::eventFilter(watched, event);
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop && m_handler)
        m_handler(paths);
    return true;
}
