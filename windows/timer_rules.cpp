#include "timer_rules.h"

#include <utility>

namespace quorava {

DrawClock::~DrawClock() = default;

void DrawClock::setWakeHandler(std::function<void()> handler)
{
    m_wakeHandler = std::move(handler);
}

void DrawClock::wake()
{
    if (m_wakeHandler)
        m_wakeHandler();
}

DrawTimers::DrawTimers(DrawClock &clock) : m_clock(clock)
{
    m_clock.setWakeHandler([this] { onWake(); });
}

DrawTimers::~DrawTimers()
{
    stopAll();
    m_clock.setWakeHandler({});
}

int DrawTimers::create(int periodMs)
{
    m_timers.push_back({});
    const int id = int(m_timers.size()) - 1;
    if (!m_stoppedForGood && periodMs > 0) {
        start(m_timers.back(), periodMs);
        rearm();
    }
    return id;
}

void DrawTimers::start(Timer &timer, int periodMs)
{
    timer.periodMs = periodMs;
    timer.dueMs = m_clock.nowMs() + periodMs;
    timer.startOrder = ++m_starts;
}

void DrawTimers::setPeriod(int id, int periodMs)
{
    Q_ASSERT(id >= 0 && id < int(m_timers.size()));
    if (m_stoppedForGood)
        return;
    if (periodMs < 0)
        periodMs = 0;
    Timer &timer = m_timers[size_t(id)];
    if (periodMs == timer.periodMs)
        return;
    timer.periodMs = 0;
    if (periodMs > 0)
        start(timer, periodMs);
    rearm();
}

int DrawTimers::period(int id) const
{
    Q_ASSERT(id >= 0 && id < int(m_timers.size()));
    return m_timers[size_t(id)].periodMs;
}

qint64 DrawTimers::dueMs(int id) const
{
    Q_ASSERT(id >= 0 && id < int(m_timers.size()));
    return m_timers[size_t(id)].dueMs;
}

void DrawTimers::setTickHandler(std::function<void(int)> handler)
{
    m_tickHandler = std::move(handler);
}

void DrawTimers::stopAll()
{
    m_stoppedForGood = true;
    for (Timer &timer : m_timers)
        timer.periodMs = 0;
    m_clock.cancelWake();
}

const DrawTimers::Timer *DrawTimers::nextDue() const
{
    const Timer *best = nullptr;
    for (const Timer &timer : m_timers) {
        if (timer.periodMs <= 0)
            continue;
        if (!best || timer.dueMs < best->dueMs ||
            (timer.dueMs == best->dueMs && timer.startOrder < best->startOrder))
            best = &timer;
    }
    return best;
}

void DrawTimers::rearm()
{
    if (const Timer *timer = m_stoppedForGood ? nullptr : nextDue())
        m_clock.wakeAt(timer->dueMs);
    else
        m_clock.cancelWake();
}

void DrawTimers::onWake()
{
    if (m_stoppedForGood)
        return;
    const Timer *due = nextDue();
    if (due && due->dueMs <= m_clock.nowMs()) {
        const int id = int(due - m_timers.data());
        Timer &timer = m_timers[size_t(id)];
        // Moved on before the handler runs, so that a period written by the handler wins.
        timer.dueMs += timer.periodMs;
        if (m_tickHandler)
            m_tickHandler(id);
    }
    // An early wake, or the next tick: either way ask again for the earliest due time.
    rearm();
}

} // namespace quorava
