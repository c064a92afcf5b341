#pragma once

#include <QtGlobal>

#include <functional>

namespace quorava {

// The draw's random numbers: a linear congruential generator reseeded from a millisecond
// tick count before every draw. The seed accumulator lives as long as the instance, so the
// program keeps one instance for the whole process and two reseeds in the same millisecond
// still give different seeds.
class DrawRandom {
public:
    explicit DrawRandom(std::function<quint32()> millisecondTicks);

    // state := t + A, then A += ((t + A) & 255) + 100, all modulo 2^32.
    void reseed();
    // One generator step; a value from 0 to 32767.
    quint32 next();
    // A number in [low, high]. Bounds below 0 count as 0 and are put in order; equal bounds
    // give that bound without using the generator. Ranges up to 32768 values take one
    // output; wider ranges combine two outputs into 30 bits so that every value is reachable.
    qint64 randomInRange(qint64 low, qint64 high);

    quint32 state() const { return m_state; }
    quint32 accumulator() const { return m_accumulator; }

    static constexpr quint32 kMultiplier = 214013;
    static constexpr quint32 kIncrement = 2531011;
    static constexpr quint64 kSingleOutputRange = 32768;

private:
    std::function<quint32()> m_ticks;
    quint32 m_state = 0;
    quint32 m_accumulator = 0;
};

// A 32-bit millisecond count of the monotonic clock; wraps after about 49 days.
quint32 systemMillisecondTicks();

} // namespace quorava
