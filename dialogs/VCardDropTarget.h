#pragma once

#include <QObject>

#include <functional>
#include <string>
#include <vector>

class QWidget;

// Lets a window take vCard files and folders of them dragged from a file manager: local files
// whose names end in .vcf, and folders. Anything else dragged over it (text into an edit
// field, say) is left to the widgets as before.
class VCardDropTarget : public QObject
{
public:
    using Handler = std::function<void(const std::vector<std::string>& paths)>;

    explicit VCardDropTarget(Handler handler, QObject* parent = nullptr);

    // The window and every widget in it take such drops; call again for a window made anew.
    void Watch(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    Handler m_handler;
};
