#include "draw_random.h"

#include <QElapsedTimer>

#include <algorithm>
#include <utility>

namespace quorava {

DrawRandom::DrawRandom(std::function<quint32()> millisecondTicks)
    : m_ticks(std::move(millisecondTicks))
{
}

void DrawRandom::reseed()
{
    const quint32 seed = m_ticks() + m_accumulator;
    m_state = seed;
    m_accumulator += (seed & 255u) + 100u;
}

quint32 DrawRandom::next()
{
    m_state = m_state * kMultiplier + kIncrement;
    return (m_state >> 16) & 32767u;
}

qint64 DrawRandom::randomInRange(qint64 low, qint64 high)
{
    low = std::max<qint64>(low, 0);
    high = std::max<qint64>(high, 0);
    if (low > high)
        std::swap(low, high);
    if (low == high)
        return low;
    // Both bounds are non-negative, so the count of values fits unsigned 64 bits.
    const quint64 range = quint64(high) - quint64(low) + 1;
    if (range <= kSingleOutputRange)
        return low + qint64(next() % range);
    const quint64 upper = next();
    const quint64 combined = (upper << 15) | next();
    return low + qint64(combined % range);
}

quint32 systemMillisecondTicks()
{
    QElapsedTimer timer;
    timer.start();
    return quint32(quint64(timer.msecsSinceReference()));
}

} // namespace quorava
