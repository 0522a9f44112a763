#include "platform/framework/CButton.h"

#include <QAbstractButton>
#include <QSignalBlocker>

void CButton::SetCheck(int check)
{
    auto* button = qobject_cast<QAbstractButton*>(GetSafeHwnd());
    if (!button)
        return;
    const QSignalBlocker blocker(button);
    button->setCheckable(true);
    button->setChecked(check != BST_UNCHECKED);
}

int CButton::GetCheck() const
{
    const auto* button = qobject_cast<const QAbstractButton*>(GetSafeHwnd());
    return button && button->isChecked() ? BST_CHECKED : BST_UNCHECKED;
}
