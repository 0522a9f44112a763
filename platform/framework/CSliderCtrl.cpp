#include "platform/framework/CSliderCtrl.h"

#include <QSignalBlocker>
#include <QSlider>

namespace {
QSlider* Slider(const CWnd* wnd)
{
    return qobject_cast<QSlider*>(wnd->GetSafeHwnd());
}

void ApplyRange(QSlider* slider, int minimum, int maximum)
{
    const QSignalBlocker blocker(slider);
    slider->setRange(minimum, maximum);
    // A page (Page Up/Down, a click beside the handle) is a fifth of the range.
    slider->setPageStep(qMax(1, (maximum - minimum) / 5));
}
} // namespace

void CSliderCtrl::SetRange(int minimum, int maximum, BOOL)
{
    if (auto* slider = Slider(this))
        ApplyRange(slider, minimum, maximum);
}

void CSliderCtrl::SetRangeMax(int maximum, BOOL)
{
    if (auto* slider = Slider(this))
        ApplyRange(slider, qMin(maximum, slider->minimum()), maximum);
}

void CSliderCtrl::SetPos(int pos)
{
    if (auto* slider = Slider(this)) {
        const QSignalBlocker blocker(slider);
        slider->setValue(pos);
    }
}

int CSliderCtrl::GetPos() const
{
    const auto* slider = Slider(this);
    return slider ? slider->value() : 0;
}
