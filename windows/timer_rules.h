#pragma once

#include <QtGlobal>

#include <functional>
#include <vector>

namespace quorava {

// Where the draw's timers get their time from. The owner of the timers asks for one wake at
// a time; the clock calls the wake handler once that moment has come (or later).
class DrawClock {
public:
    virtual ~DrawClock();

    virtual qint64 nowMs() const = 0;
    // Replaces any earlier request. A time already past wakes as soon as possible.
    virtual void wakeAt(qint64 dueMs) = 0;
    virtual void cancelWake() = 0;

    void setWakeHandler(std::function<void()> handler);

protected:
    // For implementations: the requested moment has come.
    void wake();

private:
    std::function<void()> m_wakeHandler;
};

// The timers of one draw window, with toolkit-independent rules:
// - a period of 0 means stopped; a positive period counts from creation or from the write;
// - writing a negative period writes 0; writing the current period changes nothing (the
//   rhythm is kept); any other write restarts the countdown from the moment of the write;
// - ticks are delivered one per wake, in the order they fall due; timers due at the same
//   moment go in the order they were (re)started, which at creation is creation order;
// - a tick that was missed because the thread was busy is still delivered, late, once per
//   elapsed period.
// The clock must outlive the timers; they take over its wake handler.
class DrawTimers {
public:
    explicit DrawTimers(DrawClock &clock);
    ~DrawTimers();
    DrawTimers(const DrawTimers &) = delete;
    DrawTimers &operator=(const DrawTimers &) = delete;

    // Adds a timer and returns its id (0, 1, ... in creation order).
    int create(int periodMs);
    void setPeriod(int id, int periodMs);
    int period(int id) const;
    // When the timer's next tick falls due; meaningless while it is stopped.
    qint64 dueMs(int id) const;

    void setTickHandler(std::function<void(int id)> handler);

    // The window is going away: every timer stops for good and no tick is delivered after
    // this, even if a period is written later.
    void stopAll();
    bool isStoppedForGood() const { return m_stoppedForGood; }

private:
    struct Timer {
        int periodMs = 0;
        qint64 dueMs = 0;
        quint64 startOrder = 0;
    };

    void start(Timer &timer, int periodMs);
    const Timer *nextDue() const;
    void rearm();
    void onWake();

    DrawClock &m_clock;
    std::vector<Timer> m_timers;
    std::function<void(int)> m_tickHandler;
    quint64 m_starts = 0;
    bool m_stoppedForGood = false;
};

} // namespace quorava
