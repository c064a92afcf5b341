#pragma once

#include "windows/timer_rules.h"

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>

namespace quorava {

// The draw timers' clock on the Qt event loop: the monotonic clock for "now" and one precise
// single-shot timer for the wake, so ticks come within a millisecond or so of their time.
// Destroying it cancels any pending wake.
class QtDrawClock : public QObject, public DrawClock {
    Q_OBJECT
public:
    explicit QtDrawClock(QObject *parent = nullptr);
    ~QtDrawClock() override;

    qint64 nowMs() const override;
    void wakeAt(qint64 dueMs) override;
    void cancelWake() override;

private:
    QElapsedTimer m_elapsed;
    QTimer m_wakeTimer;
};

} // namespace quorava
