#pragma once

#include "platform/framework/CString.h"

#include <QBasicTimer>
#include <QWidget>

#include <functional>

class QLabel;
class QPushButton;

// The notice shown while the system holds this program's pending shutdown: the message, a
// countdown to the due time the system itself holds, and a Cancel button that does what Escape
// in the clock window does. The system shows nothing on a desktop, so without this the user
// would never see the 10 seconds pass.
//
// The notice stays usable over the program's own dialogs: when one of them blocks it, it comes
// back on top of them as a modal window of its own (a message box is answered first). Its close
// box cancels like its Cancel button, so closing it never hides a shutdown that is still coming.
class CShutdownNotice : public QWidget
{
    Q_OBJECT

public:
    explicit CShutdownNotice(QWidget* parent = nullptr);

    // Shows the notice for as long as the system holds this program's pending shutdown;
    // onCancel runs on Cancel, Escape and the close box, and the notice stays until the cancel
    // worked (Stop) or the system no longer holds the shutdown.
    void Start(const CString& message, bool restart, std::function<void()> onCancel);
    // The same for a request the system has not answered yet: the notice shows once the system
    // holds it, and gives up when the request can no longer be granted.
    void Await(const CString& message, bool restart, std::function<void()> onCancel);
    // Reads the system's due time again at once (after a cancel that was refused).
    void Refresh();
    // Closes the notice (the shutdown was cancelled).
    void Stop();

    bool IsFollowing() const { return m_following; }
    int SecondsLeft() const { return m_secondsLeft; }
    QString CountdownText() const;

protected:
    bool event(QEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void Follow(const CString& message, bool restart, std::function<void()> onCancel, bool awaiting);
    void Poll();
    void ShowAboveDialogs();
    void OnCancelClicked();

    QLabel* m_message;
    QLabel* m_countdown;
    QPushButton* m_cancel;
    QBasicTimer m_timer;
    std::function<void()> m_onCancel;
    int m_secondsLeft = 0;
    bool m_restart = false;
    bool m_following = false;
    bool m_awaiting = false;
    bool m_cancelling = false;
};
