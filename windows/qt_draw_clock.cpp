#include "qt_draw_clock.h"

#include <algorithm>
#include <limits>

namespace quorava {

QtDrawClock::QtDrawClock(QObject *parent) : QObject(parent)
{
    m_elapsed.start();
    m_wakeTimer.setSingleShot(true);
    m_wakeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_wakeTimer, &QTimer::timeout, this, [this] { wake(); });
}

QtDrawClock::~QtDrawClock()
{
    m_wakeTimer.stop();
}

qint64 QtDrawClock::nowMs() const
{
    return m_elapsed.elapsed();
}

void QtDrawClock::wakeAt(qint64 dueMs)
{
    const qint64 delay = std::clamp<qint64>(dueMs - nowMs(), 0, std::numeric_limits<int>::max());
    m_wakeTimer.start(int(delay));
}

void QtDrawClock::cancelWake()
{
    m_wakeTimer.stop();
}

} // namespace quorava
