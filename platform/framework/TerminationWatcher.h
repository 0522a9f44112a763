#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT into a call on the GUI thread, so that a program asked to
// terminate takes its ordinary exit path (which saves its data) instead of dying mid-way.
// It is made before the program starts up: a request that comes during the start-up closes
// the start-up's message boxes (this one and any later one) and is acted on once Start() says
// that the main loop is about to run.
class TerminationWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TerminationWatcher(std::function<void()> onTerminate, QObject* parent = nullptr);
    ~TerminationWatcher() override;

    void Start();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void OnSignal();

    std::function<void()> m_onTerminate;
    QSocketNotifier* m_notifier = nullptr;
    bool m_started = false;
    bool m_pending = false;
};
