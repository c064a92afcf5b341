#pragma once

#include "windows/timer_rules.h"

#include <QtGlobal>

#include <optional>

namespace quorava {

// A clock for tests: time moves only when the test says so, and every wake is delivered at
// exactly its due time, so timer behaviour is exact and takes no real time.
class VirtualDrawClock : public DrawClock {
public:
    qint64 nowMs() const override { return m_now; }
    void wakeAt(qint64 dueMs) override { m_wake = dueMs; }
    void cancelWake() override { m_wake.reset(); }

    std::optional<qint64> pendingWake() const { return m_wake; }
    int wakesDelivered() const { return m_wakesDelivered; }

    // Delivers every wake up to and including `targetMs`, each with "now" at its due time
    // (or at the current time for a wake that is already overdue), then sets now to target.
    void advanceTo(qint64 targetMs)
    {
        int wakes = 0;
        while (m_wake && *m_wake <= targetMs) {
            if (++wakes > kMaxWakesPerAdvance)
                qFatal("VirtualDrawClock: wakes do not stop before %lld ms", targetMs);
            const qint64 due = *m_wake;
            m_wake.reset();
            if (due > m_now)
                m_now = due;
            ++m_wakesDelivered;
            wake();
        }
        if (targetMs > m_now)
            m_now = targetMs;
    }
    void advanceBy(qint64 ms) { advanceTo(m_now + ms); }

    // A wake that comes before its time, as a real timer may deliver one.
    void wakeEarly() { wake(); }

    // Time passes without any wake being delivered, as if the UI thread were busy; wakes
    // that fell due meanwhile come with the next advance.
    void stallBy(qint64 ms) { m_now += ms; }

private:
    static constexpr int kMaxWakesPerAdvance = 1'000'000;
    qint64 m_now = 0;
    std::optional<qint64> m_wake;
    int m_wakesDelivered = 0;
};

} // namespace quorava
