#include "view/ShutdownNotice.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimerEvent>
#include <QVBoxLayout>

CShutdownNotice::CShutdownNotice(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowStaysOnTopHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint),
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

void CShutdownNotice::Start(const CString& message, bool restart, int seconds, std::function<void()> onCancel)
{
    m_message->setText(message.ToQString());
    m_restart = restart;
    m_secondsLeft = seconds;
    m_onCancel = std::move(onCancel);
    UpdateCountdown();
    m_timer.start(1000, Qt::PreciseTimer, this);
    show();
    raise();
    activateWindow();
    m_cancel->setFocus();
}

void CShutdownNotice::Stop()
{
    m_timer.stop();
    m_onCancel = nullptr;
    hide();
}

QString CShutdownNotice::CountdownText() const
{
    const QString what = m_restart ? QStringLiteral("Restarting") : QStringLiteral("Shutting down");
    return QStringLiteral("%1 in %2 s").arg(what).arg(m_secondsLeft);
}

void CShutdownNotice::UpdateCountdown()
{
    m_countdown->setText(CountdownText());
}

void CShutdownNotice::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_timer.timerId()) {
        QWidget::timerEvent(event);
        return;
    }
    if (--m_secondsLeft <= 0) {
        Stop();
        return;
    }
    UpdateCountdown();
}

void CShutdownNotice::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        OnCancelClicked();
        return;
    }
    QWidget::keyPressEvent(event);
}

void CShutdownNotice::OnCancelClicked()
{
    // Keep the callback alive while it runs: it may close this notice.
    const std::function<void()> onCancel = m_onCancel;
    Stop();
    if (onCancel)
        onCancel();
}
