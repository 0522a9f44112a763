#include "platform/framework/UpDownWidget.h"

#include "platform/framework/ControlText.h"
#include "platform/framework/DialogTemplate.h"

#include <QEvent>
#include <QKeyEvent>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace platform {

UpDownWidget::UpDownWidget(unsigned style, QWidget* parent) : QWidget(parent), m_style(style)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    for (const int direction : {+1, -1}) {
        auto* arrow = new QToolButton(this);
        arrow->setArrowType(direction > 0 ? Qt::UpArrow : Qt::DownArrow);
        arrow->setAutoRepeat(true);
        arrow->setFocusPolicy(Qt::NoFocus);
        arrow->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Ignored);
        arrow->setObjectName(direction > 0 ? QStringLiteral("up") : QStringLiteral("down"));
        connect(arrow, &QToolButton::clicked, this, [this, direction] { Step(direction); });
        layout->addWidget(arrow);
    }
    setFocusPolicy(Qt::NoFocus);
}

void UpDownWidget::SetBuddy(QWidget* buddy)
{
    if (m_buddy)
        m_buddy->removeEventFilter(this);
    m_buddy = buddy;
    if (m_buddy && (m_style & UDS_ARROWKEYS))
        m_buddy->installEventFilter(this);
}

void UpDownWidget::SetRange(int lower, int upper)
{
    m_lower = lower;
    m_upper = upper;
}

int UpDownWidget::Clamp(int value) const
{
    return std::clamp(value, std::min(m_lower, m_upper), std::max(m_lower, m_upper));
}

int UpDownWidget::SetPos(int pos)
{
    const int previous = Pos();
    m_pos = Clamp(pos);
    ShowInBuddy();
    return previous;
}

int UpDownWidget::Pos() const
{
    if ((m_style & UDS_SETBUDDYINT) && m_buddy) {
        bool ok = false;
        const int value = GetControlText(m_buddy).ToQString().trimmed().toInt(&ok);
        if (ok)
            return value;
    }
    return m_pos;
}

void UpDownWidget::Step(int direction)
{
    if (!isEnabled())
        return;
    // Towards the upper end for the top arrow, whichever way round the range is; no wrap.
    const int towardsUpper = m_upper >= m_lower ? direction : -direction;
    m_pos = Clamp(Pos() + towardsUpper);
    ShowInBuddy();
}

void UpDownWidget::ShowInBuddy()
{
    if ((m_style & UDS_SETBUDDYINT) && m_buddy)
        SetControlText(m_buddy, FormatString("%d", m_pos));
}

bool UpDownWidget::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_buddy && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            Step(key == Qt::Key_Up ? +1 : -1);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace platform
