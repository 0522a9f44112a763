#include "platform/framework/WindowTimer.h"

#include <QSocketNotifier>

#include <cerrno>
#include <cstdint>
#include <ctime>
#include <sys/timerfd.h>
#include <unistd.h>

namespace platform {

namespace {
int MakeTimerFd()
{
    const int fd = ::timerfd_create(CLOCK_BOOTTIME, TFD_NONBLOCK | TFD_CLOEXEC);
    if (fd >= 0 || errno != EINVAL)
        return fd;
    // Kernels without the boot-time clock for timers: the next best thing.
    return ::timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
}

timespec ToTimespec(std::int64_t ms)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(ms / 1000);
    ts.tv_nsec = static_cast<long>(ms % 1000) * 1'000'000L;
    return ts;
}
} // namespace

WindowTimer::WindowTimer(QObject* parent) : QObject(parent) {}

WindowTimer::~WindowTimer()
{
    delete m_notifier;
    if (m_fd >= 0)
        ::close(m_fd);
}

bool WindowTimer::Start(std::int64_t periodMs)
{
    if (periodMs <= 0)
        periodMs = 1; // a zero period would disarm the timerfd: it means "as often as possible"
    if (m_fd < 0) {
        m_fd = MakeTimerFd();
        if (m_fd < 0)
            return false;
        m_notifier = new QSocketNotifier(m_fd, QSocketNotifier::Read, this);
        connect(m_notifier, &QSocketNotifier::activated, this, &WindowTimer::OnReadable);
    }
    itimerspec spec{};
    spec.it_value = ToTimespec(periodMs);
    spec.it_interval = spec.it_value;
    // Arming also forgets an expiry of the old period that nobody has read yet.
    if (::timerfd_settime(m_fd, 0, &spec, nullptr) != 0)
        return false;
    m_periodMs = periodMs;
    m_active = true;
    m_notifier->setEnabled(true);
    return true;
}

void WindowTimer::Stop()
{
    if (m_fd >= 0) {
        const itimerspec off{};
        ::timerfd_settime(m_fd, 0, &off, nullptr);
        m_notifier->setEnabled(false);
    }
    m_active = false;
}

void WindowTimer::OnReadable()
{
    std::uint64_t expirations = 0;
    if (::read(m_fd, &expirations, sizeof expirations) != static_cast<ssize_t>(sizeof expirations) ||
        expirations == 0 || !m_active)
        return;
    Q_EMIT Expired();
}

} // namespace platform
