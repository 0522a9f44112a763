#pragma once

#include <QObject>

#include <functional>

class QSocketNotifier;

// Turns SIGTERM, SIGHUP and SIGINT into a call on the GUI thread, so that a program asked to
// terminate takes its ordinary exit path (which saves its data) instead of dying mid-way.
class TerminationWatcher : public QObject
{
    Q_OBJECT

public:
    explicit TerminationWatcher(std::function<void()> onTerminate, QObject* parent = nullptr);
    ~TerminationWatcher() override;

private:
    void OnSignal();

    std::function<void()> m_onTerminate;
    QSocketNotifier* m_notifier = nullptr;
};
