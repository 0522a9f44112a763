#include "platform/framework/TerminationWatcher.h"

#include <QApplication>
#include <QEvent>
#include <QSocketNotifier>
#include <QTimer>
#include <QWidget>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {
int g_pipe[2] = {-1, -1};

void Handler(int signal)
{
    // Only async-signal-safe work here: wake the event loop through the pipe. The write may
    // set errno, which the interrupted code could be about to read: give it back unchanged.
    const int savedErrno = errno;
    const char byte = static_cast<char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(g_pipe[1], &byte, 1);
    errno = savedErrno;
}
} // namespace

TerminationWatcher::TerminationWatcher(std::function<void()> onTerminate, QObject* parent)
    : QObject(parent), m_onTerminate(std::move(onTerminate))
{
    if (g_pipe[0] < 0 && ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    m_notifier = new QSocketNotifier(g_pipe[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &TerminationWatcher::OnSignal);
    struct sigaction action = {};
    action.sa_handler = Handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        sigaction(signal, &action, nullptr);
}

TerminationWatcher::~TerminationWatcher()
{
    for (int signal : {SIGTERM, SIGHUP, SIGINT})
        std::signal(signal, SIG_DFL);
}

void TerminationWatcher::Start()
{
    m_started = true;
    if (!m_pending)
        return;
    qApp->removeEventFilter(this);
    // Closing the frame before its loop runs could not end that loop: queue it.
    QTimer::singleShot(0, this, [this] {
        if (m_onTerminate)
            m_onTerminate();
    });
}

namespace {
void CloseLater(QWidget* window)
{
    QMetaObject::invokeMethod(window, &QWidget::close, Qt::QueuedConnection);
}
} // namespace

bool TerminationWatcher::eventFilter(QObject* watched, QEvent* event)
{
    // A start-up box that shows after the request would wait for an answer nobody gives.
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (widget->isWindow() && widget->isModal())
            CloseLater(widget);
    }
    return QObject::eventFilter(watched, event);
}

void TerminationWatcher::OnSignal()
{
    char buffer[16];
    while (::read(g_pipe[0], buffer, sizeof buffer) > 0) {
    }
    if (m_started) {
        if (m_onTerminate)
            m_onTerminate();
        return;
    }
    if (m_pending)
        return;
    m_pending = true;
    qApp->installEventFilter(this);
    if (QWidget* box = QApplication::activeModalWidget())
        CloseLater(box);
}
