#pragma once

#include "platform/framework/CString.h"

#include <QBasicTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

// The notice shown while the system holds a pending shutdown: the message, a countdown and a
// Cancel button that does what Escape in the clock window does. The system itself shows
// nothing on a desktop, so without this the user would never see the 10 seconds pass.
class CShutdownNotice : public QWidget
{
    Q_OBJECT

public:
    explicit CShutdownNotice(QWidget* parent = nullptr);

    // Shows the notice for `seconds`; onCancel runs when the user presses Cancel.
    void Start(const CString& message, bool restart, int seconds, std::function<void()> onCancel);
    // Closes the notice early (the shutdown was cancelled some other way).
    void Stop();

    int SecondsLeft() const { return m_secondsLeft; }
    QString CountdownText() const;

protected:
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void UpdateCountdown();
    void OnCancelClicked();

    QLabel* m_message;
    QLabel* m_countdown;
    QPushButton* m_cancel;
    QBasicTimer m_timer;
    std::function<void()> m_onCancel;
    int m_secondsLeft = 0;
    bool m_restart = false;
};
