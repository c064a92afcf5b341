#include "windows/draw_random.h"

#include <QTest>

#include <limits>
#include <vector>

using namespace quorava;

namespace {

// A tick source that replays a script, then repeats its last value.
struct ScriptedTicks {
    std::vector<quint32> ticks;
    size_t next = 0;
    quint32 operator()()
    {
        const quint32 t = ticks[std::min(next, ticks.size() - 1)];
        ++next;
        return t;
    }
};

// A generator whose state is `seed`: the first reseed with a zero accumulator stores t itself.
DrawRandom seededAt(quint32 seed)
{
    DrawRandom random([seed] { return seed; });
    random.reseed();
    return random;
}

} // namespace

class TestDrawRandom : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void generatorOutputs_data();
    void generatorOutputs();
    void reseedAccumulates();
    void accumulatorWrapsAround();
    void randomInRange_data();
    void randomInRange();
    void largeRangeReachesHighNumbers();
    void systemTicksAdvance();
};

void TestDrawRandom::generatorOutputs_data()
{
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<QList<quint32>>("outputs");
    QTest::addColumn<quint32>("finalState");

    // Expected values worked out separately from s := s * 214013 + 2531011, (s >> 16) & 32767.
    QTest::newRow("seed 0") << 0u << QList<quint32>{38, 7719, 21238, 2437, 8855} << 0xa2974c77u;
    QTest::newRow("seed 1") << 1u << QList<quint32>{41, 18467, 6334, 26500, 19169} << 0xcae1df84u;
    QTest::newRow("seed 0x12345678")
        << 0x12345678u << QList<quint32>{13289, 23359, 19469, 24737, 23446} << 0x5b96988fu;
    QTest::newRow("seed 2^32 - 1")
        << 0xffffffffu << QList<quint32>{35, 29739, 3374, 11141, 31308} << 0x7a4cb96au;
}

void TestDrawRandom::generatorOutputs()
{
    QFETCH(quint32, seed);
    QFETCH(QList<quint32>, outputs);
    QFETCH(quint32, finalState);

    DrawRandom random = seededAt(seed);
    QCOMPARE(random.state(), seed);
    QList<quint32> got;
    for (qsizetype i = 0; i < outputs.size(); ++i)
        got.append(random.next());
    QCOMPARE(got, outputs);
    QCOMPARE(random.state(), finalState);
}

void TestDrawRandom::reseedAccumulates()
{
    // Three reseeds in the same millisecond, then ticks near the wrap of 2^32 and past it.
    ScriptedTicks ticks{{1000, 1000, 1000, 4294967290u, 4294967290u, 0}};
    DrawRandom random(std::ref(ticks));
    QCOMPARE(random.accumulator(), 0u);

    const QList<QPair<quint32, quint32>> expected{{1000, 332}, {1332, 484}, {1484, 788},
                                                  {782, 902},  {896, 1130}, {1130, 1336}};
    QList<QPair<quint32, quint32>> got;
    for (qsizetype i = 0; i < expected.size(); ++i) {
        random.reseed();
        got.append({random.state(), random.accumulator()});
    }
    QCOMPARE(got, expected);
}

void TestDrawRandom::accumulatorWrapsAround()
{
    // Ticks chosen so that every seed is 255: the accumulator then grows by 355 a reseed,
    // and the first step past 2^32 must wrap like an unsigned 32-bit number.
    DrawRandom *self = nullptr;
    DrawRandom random([&self] { return 255u - self->accumulator(); });
    self = &random;

    const quint64 stepsToWrap = ((quint64(1) << 32) + 354) / 355;
    for (quint64 i = 0; i + 1 < stepsToWrap; ++i)
        random.reseed();
    QCOMPARE(random.accumulator(), quint32((stepsToWrap - 1) * 355));
    QCOMPARE(random.state(), 255u);

    random.reseed();
    QCOMPARE(random.state(), 255u);
    QCOMPARE(random.accumulator(), quint32((stepsToWrap * 355) % (quint64(1) << 32)));
    QVERIFY(random.accumulator() < 355);
}

void TestDrawRandom::randomInRange_data()
{
    QTest::addColumn<qint64>("low");
    QTest::addColumn<qint64>("high");
    QTest::addColumn<quint32>("seed");
    QTest::addColumn<qint64>("expected");
    QTest::addColumn<quint32>("stateAfter");

    const quint32 oneStepFrom0 = 2531011;
    const quint32 oneStepFrom1 = 2745024;
    const quint32 twoStepsFrom1 = 3357800067u;
    // First outputs: from seed 0 they are 38, 7719; from seed 1 they are 41, 18467.
    QTest::newRow("1..10") << qint64(1) << qint64(10) << 0u << qint64(9) << oneStepFrom0;
    QTest::newRow("reversed") << qint64(10) << qint64(1) << 0u << qint64(9) << oneStepFrom0;
    QTest::newRow("negative low counts as 0")
        << qint64(-5) << qint64(3) << 0u << qint64(2) << oneStepFrom0;
    QTest::newRow("negative high counts as 0")
        << qint64(3) << qint64(-5) << 0u << qint64(2) << oneStepFrom0;
    QTest::newRow("both negative: 0, unused") << qint64(-5) << qint64(-9) << 0u << qint64(0) << 0u;
    QTest::newRow("equal bounds: unused") << qint64(7) << qint64(7) << 0u << qint64(7) << 0u;
    QTest::newRow("equal bounds, other seed")
        << qint64(5) << qint64(5) << 123u << qint64(5) << 123u;
    QTest::newRow("32768 values from 0: one output")
        << qint64(0) << qint64(32767) << 1u << qint64(41) << oneStepFrom1;
    QTest::newRow("32768 values from 1: one output")
        << qint64(1) << qint64(32768) << 1u << qint64(42) << oneStepFrom1;
    // (41 << 15 | 18467) = 1361955; 1361955 % 32769 = 18426.
    QTest::newRow("32769 values: two outputs")
        << qint64(1) << qint64(32769) << 1u << qint64(18427) << twoStepsFrom1;
    QTest::newRow("100000 values")
        << qint64(1) << qint64(100000) << 1u << qint64(61956) << twoStepsFrom1;
    QTest::newRow("100000 values, other seed")
        << qint64(1) << qint64(100000) << 0x12345678u << qint64(77312) << 1530878130u;
    QTest::newRow("2^30 values: the combined output itself")
        << qint64(0) << qint64(1073741823) << 1u << qint64(1361955) << twoStepsFrom1;
    QTest::newRow("widest range does not overflow")
        << qint64(0) << std::numeric_limits<qint64>::max() << 1u << qint64(1361955)
        << twoStepsFrom1;
}

void TestDrawRandom::randomInRange()
{
    QFETCH(qint64, low);
    QFETCH(qint64, high);
    QFETCH(quint32, seed);
    QFETCH(qint64, expected);
    QFETCH(quint32, stateAfter);

    DrawRandom random = seededAt(seed);
    QCOMPARE(random.randomInRange(low, high), expected);
    QCOMPARE(random.state(), stateAfter);
}

void TestDrawRandom::largeRangeReachesHighNumbers()
{
    // One draw a millisecond, as a flicker would do if it ran that fast.
    quint32 now = 0;
    DrawRandom random([&now] { return now++; });
    const qint64 count = 100000;
    int draws = 0;
    qint64 highest = 0;
    for (; draws < 1000 && highest <= 32768; ++draws) {
        random.reseed();
        const qint64 r = random.randomInRange(1, count);
        QVERIFY2(r >= 1 && r <= count, qPrintable(QString::number(r)));
        highest = std::max(highest, r);
    }
    QVERIFY2(highest > 32768, qPrintable(QString::number(draws)));
}

void TestDrawRandom::systemTicksAdvance()
{
    const quint32 first = systemMillisecondTicks();
    QTRY_VERIFY_WITH_TIMEOUT(systemMillisecondTicks() != first, 5000);
    // A monotonic count: it only moves forward (modulo 2^32), and here by little.
    QVERIFY(quint32(systemMillisecondTicks() - first) < 60000);
}

QTEST_GUILESS_MAIN(TestDrawRandom)
#include "test_draw_random.moc"
