#pragma once

#include <QPointer>
#include <QWidget>

namespace platform {

// The up-down control's window: two arrow buttons that step a position within a range, and
// optionally write it into (and read it back from) a buddy edit.
class UpDownWidget : public QWidget
{
    Q_OBJECT

public:
    UpDownWidget(unsigned style, QWidget* parent);

    void SetBuddy(QWidget* buddy);
    QWidget* Buddy() const { return m_buddy.data(); }
    void SetRange(int lower, int upper);
    int Upper() const { return m_upper; }
    int SetPos(int pos);
    int Pos() const;
    // +1: the top arrow, -1: the bottom one.
    void Step(int direction);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    int Clamp(int value) const;
    void ShowInBuddy();

    QPointer<QWidget> m_buddy;
    unsigned m_style;
    int m_lower = 100; // until SetRange: 100 at the bottom to 0 at the top, so up counts down
    int m_upper = 0;
    int m_pos = 0;
};

} // namespace platform
