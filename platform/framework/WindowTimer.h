#pragma once

#include <QObject>

#include <cstdint>

class QSocketNotifier;

namespace platform {

// One window timer: a periodic timerfd on the boot-time clock, so that a period counts real
// time, suspend included, and a change of the wall clock moves nothing. A timer that came due
// while the computer slept expires once at wake-up. Expired() is emitted from the event loop;
// expirations that pile up while nobody reads them count as one, as window timers do.
class WindowTimer : public QObject
{
    Q_OBJECT

public:
    explicit WindowTimer(QObject* parent = nullptr);
    ~WindowTimer() override;
    WindowTimer(const WindowTimer&) = delete;
    WindowTimer& operator=(const WindowTimer&) = delete;

    // (Re)starts the timer: the first expiry comes one period from now. False when the
    // system refused a timer.
    bool Start(std::int64_t periodMs);
    void Stop();
    bool IsActive() const { return m_active; }
    std::int64_t Period() const { return m_periodMs; }

Q_SIGNALS:
    void Expired();

private:
    void OnReadable();

    int m_fd = -1;
    QSocketNotifier* m_notifier = nullptr;
    std::int64_t m_periodMs = 0;
    bool m_active = false;
};

} // namespace platform
