#include "view/ShutdownNotice.h"

#include "platform/system/Shutdown.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

namespace {
// While a request waits for its answer, the system is asked this often.
constexpr int kAwaitPollMs = 1000;
} // namespace

CShutdownNotice::CShutdownNotice(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      m_message(new QLabel(this)), m_countdown(new QLabel(this)),
      m_cancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Quillon"));
    m_message->setWordWrap(true);
    QFont bold = m_countdown->font();
    bold.setBold(true);
    m_countdown->setFont(bold);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_message);
    layout->addWidget(m_countdown);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    connect(m_cancel, &QPushButton::clicked, this, &CShutdownNotice::OnCancelClicked);
    setFixedWidth(320);
}

void CShutdownNotice::Start(const CString& message, bool restart, std::function<void()> onCancel)
{
    Follow(message, restart, std::move(onCancel), false);
}

void CShutdownNotice::Await(const CString& message, bool restart, std::function<void()> onCancel)
{
    Follow(message, restart, std::move(onCancel), true);
}

void CShutdownNotice::Follow(const CString& message, bool restart, std::function<void()> onCancel,
                             bool awaiting)
{
    m_message->setText(message.ToQString());
    m_restart = restart;
    m_onCancel = std::move(onCancel);
    m_following = true;
    m_awaiting = awaiting;
    Poll();
}

void CShutdownNotice::Refresh()
{
    if (m_following)
        Poll();
}

void CShutdownNotice::Stop()
{
    m_timer.stop();
    m_following = false;
    m_awaiting = false;
    m_onCancel = nullptr;
    m_secondsLeft = 0;
    hide();
    setWindowModality(Qt::NonModal);
}

QString CShutdownNotice::CountdownText() const
{
    const QString what = m_restart ? QStringLiteral("Restarting") : QStringLiteral("Shutting down");
    return QStringLiteral("%1 in %2 s").arg(what).arg(m_secondsLeft);
}

void CShutdownNotice::Poll()
{
    // The countdown is the system's: its due time, read each second, so a password prompt, a
    // refused cancel or someone re-scheduling all show as they are.
    platform::PendingShutdown pending;
    if (!platform::GetOwnPendingShutdown(pending)) {
        if (m_awaiting && platform::IsShutdownRequestUnanswered()) {
            m_timer.start(kAwaitPollMs, Qt::PreciseTimer, this);
            return;
        }
        Stop();
        return;
    }
    m_awaiting = false;
    const quint64 now = platform::ShutdownClockUsec();
    if (pending.usec <= now) {
        Stop(); // the system acts now
        return;
    }
    const quint64 left = pending.usec - now;
    const quint64 second = platform::kUsecPerSecond;
    m_secondsLeft = static_cast<int>((left + second - 1) / second);
    m_countdown->setText(CountdownText());
    if (!isVisible())
        ShowAboveDialogs();
    // Next when the whole seconds left change.
    const quint64 untilNext = left - static_cast<quint64>(m_secondsLeft - 1) * second;
    m_timer.start(static_cast<int>(untilNext / 1000) + 1, Qt::PreciseTimer, this);
}

void CShutdownNotice::ShowAboveDialogs()
{
    if (!m_following || m_awaiting)
        return;
    // The program's dialogs are application-modal and would block the notice for as long as
    // they are open; a message box is part of what the user is answering right now.
    QWidget* modal = QApplication::activeModalWidget();
    const bool aboveDialog = modal && modal != this && !qobject_cast<QMessageBox*>(modal);
    if (isVisible() && !aboveDialog)
        return;
    hide();
    setWindowModality(aboveDialog ? Qt::ApplicationModal : Qt::NonModal);
    show();
    raise();
    activateWindow();
    m_cancel->setFocus();
}

bool CShutdownNotice::event(QEvent* event)
{
    if (event->type() == QEvent::WindowBlocked && m_following && isVisible())
        QMetaObject::invokeMethod(this, &CShutdownNotice::ShowAboveDialogs, Qt::QueuedConnection);
    return QWidget::event(event);
}

void CShutdownNotice::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    m_timer.stop();
    Poll();
}

void CShutdownNotice::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        OnCancelClicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CShutdownNotice::closeEvent(QCloseEvent* event)
{
    // Hiding the notice would leave the shutdown coming with nothing on screen to say so.
    if (event->spontaneous() && m_following) {
        event->ignore();
        OnCancelClicked();
        return;
    }
    QWidget::closeEvent(event);
}

void CShutdownNotice::OnCancelClicked()
{
    // The cancel may wait for a password; the countdown goes on meanwhile, and a second click
    // adds nothing.
    if (m_cancelling || !m_onCancel)
        return;
    m_cancelling = true;
    m_cancel->setEnabled(false);
    const std::function<void()> onCancel = m_onCancel;
    onCancel();
    m_cancelling = false;
    m_cancel->setEnabled(true);
}
