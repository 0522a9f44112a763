#include "platform/system/Beep.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>

#include <algorithm>
#include <utility>

#ifdef QUILLON_HAVE_CANBERRA
#include <canberra.h>
#endif

namespace {
platform::BeepHandler& Handler()
{
    static platform::BeepHandler handler;
    return handler;
}

platform::BellSound& TestBell()
{
    static platform::BellSound sound;
    return sound;
}

#ifdef QUILLON_HAVE_CANBERRA
// Where the desktop has a sound theme its "bell" is what the user expects to hear; without
// one, or without a sound server, the call fails quietly and the display's bell remains.
void PlayThemeBell()
{
    static ca_context* context = [] {
        ca_context* made = nullptr;
        if (ca_context_create(&made) != CA_SUCCESS)
            return static_cast<ca_context*>(nullptr);
        ca_context_change_props(made, CA_PROP_APPLICATION_NAME, "Quillon", nullptr);
        return made;
    }();
    static bool soundless = false;
    if (!context || soundless)
        return;
    const int error =
        ca_context_play(context, 0, CA_PROP_EVENT_ID, "bell", CA_PROP_EVENT_DESCRIPTION, "Timer", nullptr);
    // No sound device, server or theme sound: stop asking for this run, so each beep neither
    // retries nor complains again; the display's bell goes on ringing.
    soundless = error != CA_SUCCESS;
}
#endif

void Ring()
{
    if (const auto& sound = TestBell()) {
        sound();
        return;
    }
    QApplication::beep();
#ifdef QUILLON_HAVE_CANBERRA
    PlayThemeBell();
#endif
}

// Beeps asked for in quick succession wait their turn here. Rung all at once, the display
// and the sound server merge them into one sound.
class BellQueue
{
public:
    void Request()
    {
        auto* app = QCoreApplication::instance();
        if (!app) {
            Ring();
            return;
        }
        if (m_waiting == 0 && (!m_lastRing.isValid() || m_lastRing.elapsed() >= platform::kBeepSpacingMs)) {
            RingNow();
            return;
        }
        ++m_waiting;
        if (!m_timer) {
            // Owned by the application, so it never outlives the event loop that drives it.
            m_timer = new QTimer(app);
            m_timer->setSingleShot(true);
            m_timer->setTimerType(Qt::PreciseTimer);
            QObject::connect(m_timer, &QTimer::timeout, m_timer, [this] { RingWaiting(); });
        }
        if (!m_timer->isActive()) {
            const qint64 left = platform::kBeepSpacingMs - m_lastRing.elapsed();
            m_timer->start(static_cast<int>(std::clamp<qint64>(left, 0, platform::kBeepSpacingMs)));
        }
    }

private:
    void RingNow()
    {
        m_lastRing.start();
        Ring();
    }

    void RingWaiting()
    {
        if (m_waiting == 0)
            return;
        --m_waiting;
        RingNow();
        if (m_waiting > 0)
            m_timer->start(platform::kBeepSpacingMs);
    }

    int m_waiting = 0;
    QElapsedTimer m_lastRing;
    QPointer<QTimer> m_timer;
};

BellQueue& Bells()
{
    static BellQueue queue;
    return queue;
}
} // namespace

bool MessageBeep(UINT type)
{
    if (const auto& handler = Handler()) {
        handler(type);
        return true;
    }
    Bells().Request();
    return true;
}

namespace platform {
BeepHandler SetBeepHandlerForTesting(BeepHandler handler)
{
    return std::exchange(Handler(), std::move(handler));
}

BellSound SetBellForTesting(BellSound sound)
{
    return std::exchange(TestBell(), std::move(sound));
}
} // namespace platform
