#include "platform/framework/ViewAccessible.h"

#include "platform/framework/CView.h"

namespace platform {

ViewAccessible::ViewAccessible(CView* view) : QAccessibleWidget(view, QAccessible::StaticText) {}

QString ViewAccessible::text(QAccessible::Text t) const
{
    if (t == QAccessible::Description || t == QAccessible::Value)
        return static_cast<const CView*>(widget())->GetAccessibleText().ToQString();
    return QAccessibleWidget::text(t);
}

namespace {
QAccessibleInterface* ViewFactory(const QString&, QObject* object)
{
    if (auto* view = qobject_cast<CView*>(object))
        return new ViewAccessible(view);
    return nullptr;
}
} // namespace

void ViewAccessible::Install()
{
    static const bool installed = [] {
        QAccessible::installFactory(ViewFactory);
        return true;
    }();
    (void)installed;
}

} // namespace platform
