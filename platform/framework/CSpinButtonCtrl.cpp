#include "platform/framework/CSpinButtonCtrl.h"

#include "platform/framework/CDialog.h"
#include "platform/framework/DialogWindow.h"
#include "platform/framework/UpDownWidget.h"

namespace {
platform::UpDownWidget* UpDown(const CWnd* wnd)
{
    return qobject_cast<platform::UpDownWidget*>(wnd->GetSafeHwnd());
}
} // namespace

void CSpinButtonCtrl::SetRange(int lower, int upper)
{
    if (auto* updown = UpDown(this))
        updown->SetRange(lower, upper);
}

int CSpinButtonCtrl::SetPos(int pos)
{
    auto* updown = UpDown(this);
    return updown ? updown->SetPos(pos) : 0;
}

int CSpinButtonCtrl::GetPos() const
{
    const auto* updown = UpDown(this);
    return updown ? updown->Pos() : 0;
}

CWnd* CSpinButtonCtrl::GetBuddy() const
{
    const auto* updown = UpDown(this);
    if (!updown || !updown->Buddy() || !OwnerDialog())
        return nullptr;
    return OwnerDialog()->GetDlgItem(platform::ControlIdOf(updown->Buddy()));
}
