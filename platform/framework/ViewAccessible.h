#pragma once

#include <QAccessibleWidget>

class CView;

namespace platform {

// A view as a screen reader meets it: one object, named as the view is (the clock: "Clock"),
// whose description and value are what the view shows as text, read when asked. Nothing is
// sent when the view repaints: a listener that did not ask hears nothing every second.
class ViewAccessible : public QAccessibleWidget
{
public:
    explicit ViewAccessible(CView* view);

    QString text(QAccessible::Text t) const override;

    // Makes views known to Qt's accessibility; called by every view, installed once.
    static void Install();
};

} // namespace platform
