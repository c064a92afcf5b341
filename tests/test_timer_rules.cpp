#include "virtual_draw_clock.h"
#include "windows/timer_rules.h"

#include <QTest>

#include <functional>
#include <limits>
#include <memory>

using namespace quorava;

namespace {

using Tick = QPair<qint64, int>; // (time of delivery, timer id)
using Ticks = QList<Tick>;

// Timers on a virtual clock, with every delivered tick recorded.
struct Fixture {
    VirtualDrawClock clock;
    DrawTimers timers{clock};
    Ticks ticks;
    std::function<void(int id)> onTick;

    Fixture()
    {
        timers.setTickHandler([this](int id) {
            ticks.append({clock.nowMs(), id});
            if (onTick)
                onTick(id);
        });
    }
};

Ticks every(int id, qint64 first, qint64 step, qint64 last)
{
    Ticks out;
    for (qint64 t = first; t <= last; t += step)
        out.append({t, id});
    return out;
}

} // namespace

class TestTimerRules : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void creationStartsCounting_data();
    void creationStartsCounting();
    void equalWriteKeepsRhythm_data();
    void equalWriteKeepsRhythm();
    void otherWriteRestartsFromTheWrite_data();
    void otherWriteRestartsFromTheWrite();
    void zeroOrNegativeStops_data();
    void zeroOrNegativeStops();
    void tiesGoInCreationOrder();
    void tiesAfterRestartsGoInStartOrder();
    void overdueTicksComeOneByOneInDueOrder();
    void writeInsideOverdueTickAppliesToTheRest();
    void writeInsideTickHandler_data();
    void writeInsideTickHandler();
    void earlyWakeDeliversNothing();
    void stopAllIsForGood();
    void stopAllInsideTickDropsTicksDueWithIt();
    void destructionCancelsTheWake();
};

void TestTimerRules::creationStartsCounting_data()
{
    QTest::addColumn<qint64>("createdAt");
    QTest::addColumn<int>("period");
    QTest::addColumn<Ticks>("expected");

    QTest::newRow("at 0") << qint64(0) << 200 << every(0, 200, 200, 1000);
    QTest::newRow("later") << qint64(70) << 200 << every(0, 270, 200, 1000);
    QTest::newRow("1 ms") << qint64(0) << 1 << every(0, 1, 1, 1000);
    QTest::newRow("period 0 is stopped") << qint64(0) << 0 << Ticks{};
    QTest::newRow("negative period is stopped") << qint64(0) << -5 << Ticks{};
}

void TestTimerRules::creationStartsCounting()
{
    QFETCH(qint64, createdAt);
    QFETCH(int, period);
    QFETCH(Ticks, expected);

    Fixture f;
    f.clock.advanceTo(createdAt);
    QCOMPARE(f.timers.create(period), 0);
    QCOMPARE(f.timers.period(0), std::max(period, 0));
    f.clock.advanceTo(1000);
    QCOMPARE(f.ticks, expected);
}

void TestTimerRules::equalWriteKeepsRhythm_data()
{
    QTest::addColumn<int>("period");
    QTest::addColumn<qint64>("writeAt");
    QTest::addColumn<int>("written");
    QTest::addColumn<Ticks>("expected");

    QTest::newRow("running, at once") << 200 << qint64(0) << 200 << every(0, 200, 200, 1000);
    QTest::newRow("running, between ticks")
        << 200 << qint64(150) << 200 << every(0, 200, 200, 1000);
    QTest::newRow("running, just before a tick")
        << 200 << qint64(399) << 200 << every(0, 200, 200, 1000);
    QTest::newRow("running, at a tick") << 200 << qint64(400) << 200 << every(0, 200, 200, 1000);
    QTest::newRow("stopped, 0 written") << 0 << qint64(150) << 0 << Ticks{};
    QTest::newRow("stopped, negative written") << 0 << qint64(150) << -1 << Ticks{};
}

void TestTimerRules::equalWriteKeepsRhythm()
{
    QFETCH(int, period);
    QFETCH(qint64, writeAt);
    QFETCH(int, written);
    QFETCH(Ticks, expected);

    Fixture f;
    const int id = f.timers.create(period);
    f.clock.advanceTo(writeAt);
    f.timers.setPeriod(id, written);
    QCOMPARE(f.timers.period(id), period);
    f.clock.advanceTo(1000);
    QCOMPARE(f.ticks, expected);
}

void TestTimerRules::otherWriteRestartsFromTheWrite_data()
{
    QTest::addColumn<int>("period");
    QTest::addColumn<qint64>("writeAt");
    QTest::addColumn<QList<int>>("writes"); // written one after another at writeAt
    QTest::addColumn<Ticks>("expected");

    const Ticks before = every(0, 200, 200, 400); // ticks of the 200 ms timer up to 450
    QTest::newRow("longer") << 200 << qint64(450) << QList<int>{300}
                            << before + every(0, 750, 300, 2000);
    QTest::newRow("shorter") << 200 << qint64(450) << QList<int>{50}
                             << before + every(0, 500, 50, 2000);
    QTest::newRow("away and back restarts")
        << 200 << qint64(450) << QList<int>{300, 200} << before + every(0, 650, 200, 2000);
    QTest::newRow("stopped and started again")
        << 200 << qint64(450) << QList<int>{0, 200} << before + every(0, 650, 200, 2000);
    QTest::newRow("stopped from the start, then started")
        << 0 << qint64(450) << QList<int>{200} << every(0, 650, 200, 2000);
}

void TestTimerRules::otherWriteRestartsFromTheWrite()
{
    QFETCH(int, period);
    QFETCH(qint64, writeAt);
    QFETCH(QList<int>, writes);
    QFETCH(Ticks, expected);

    Fixture f;
    const int id = f.timers.create(period);
    f.clock.advanceTo(writeAt);
    for (int written : writes)
        f.timers.setPeriod(id, written);
    QCOMPARE(f.timers.period(id), writes.last());
    f.clock.advanceTo(2000);
    QCOMPARE(f.ticks, expected);
}

void TestTimerRules::zeroOrNegativeStops_data()
{
    QTest::addColumn<int>("written");
    QTest::newRow("0") << 0;
    QTest::newRow("-1") << -1;
    QTest::newRow("most negative") << std::numeric_limits<int>::min();
}

void TestTimerRules::zeroOrNegativeStops()
{
    QFETCH(int, written);

    Fixture f;
    const int id = f.timers.create(200);
    f.clock.advanceTo(300);
    f.timers.setPeriod(id, written);
    QCOMPARE(f.timers.period(id), 0);
    QVERIFY(!f.clock.pendingWake());
    f.clock.advanceTo(5000);
    QCOMPARE(f.ticks, (Ticks{{200, id}}));
}

void TestTimerRules::tiesGoInCreationOrder()
{
    // Like the draw window: a 5000 ms timer created before a 200 ms one, at the same moment.
    Fixture f;
    const int slow = f.timers.create(5000);
    const int fast = f.timers.create(200);
    f.clock.advanceTo(5000);
    QCOMPARE(f.ticks.size(), 26);
    QCOMPARE(f.ticks.mid(23), (Ticks{{4800, fast}, {5000, slow}, {5000, fast}}));

    // The other way round, the fast timer wins the tie.
    Fixture g;
    const int fastFirst = g.timers.create(200);
    const int slowSecond = g.timers.create(5000);
    g.clock.advanceTo(5000);
    QCOMPARE(g.ticks.mid(24), (Ticks{{5000, fastFirst}, {5000, slowSecond}}));
}

void TestTimerRules::tiesAfterRestartsGoInStartOrder()
{
    // Restarted at the same moment, the timer restarted first falls due first, whatever the
    // creation order.
    Fixture f;
    const int a = f.timers.create(100);
    const int b = f.timers.create(100);
    f.clock.advanceTo(50);
    f.timers.setPeriod(b, 0);
    f.timers.setPeriod(b, 100);
    f.timers.setPeriod(a, 0);
    f.timers.setPeriod(a, 100);
    f.clock.advanceTo(250);
    QCOMPARE(f.ticks, (Ticks{{150, b}, {150, a}, {250, b}, {250, a}}));
}

void TestTimerRules::overdueTicksComeOneByOneInDueOrder()
{
    Fixture f;
    const int a = f.timers.create(100);
    const int b = f.timers.create(250);
    f.clock.stallBy(600); // the thread was busy: six ticks of a and two of b are overdue
    QVERIFY(f.ticks.isEmpty());

    const int wakesBefore = f.clock.wakesDelivered();
    f.clock.advanceBy(0);
    // In the order they fell due (100, 200, 250, 300, 400, 500, 500, 600), all late at 600.
    QCOMPARE(
        f.ticks,
        (Ticks{{600, a}, {600, a}, {600, b}, {600, a}, {600, a}, {600, a}, {600, b}, {600, a}}));
    QCOMPARE(f.clock.wakesDelivered() - wakesBefore, 8); // one tick a wake
    // The rhythm is kept: the next ticks are on the original grid.
    f.ticks.clear();
    f.clock.advanceTo(800);
    QCOMPARE(f.ticks, (Ticks{{700, a}, {750, b}, {800, a}}));
}

void TestTimerRules::writeInsideOverdueTickAppliesToTheRest()
{
    Fixture f;
    const int a = f.timers.create(100);
    f.onTick = [&](int id) {
        if (f.ticks.size() == 2)
            f.timers.setPeriod(id, 0);
    };
    f.clock.stallBy(1000);
    f.clock.advanceBy(0);
    QCOMPARE(f.ticks, (Ticks{{1000, a}, {1000, a}}));
    QVERIFY(!f.clock.pendingWake());
}

void TestTimerRules::writeInsideTickHandler_data()
{
    QTest::addColumn<int>("ownWrite");   // what the first timer writes to itself on its tick
    QTest::addColumn<int>("otherWrite"); // ... and to the second timer (-2: nothing)
    QTest::addColumn<Ticks>("expected");

    // Timer 0 has 300 ms, timer 1 has 200 ms; the writes happen on timer 0's first tick (300).
    const Ticks upTo300{{200, 1}, {300, 0}};
    QTest::newRow("own equal period keeps rhythm")
        << 300 << -2
        << upTo300 + Ticks{{400, 1}, {600, 0}, {600, 1}, {800, 1}, {900, 0}, {1000, 1}};
    QTest::newRow("own period 0: once only")
        << 0 << -2 << upTo300 + Ticks{{400, 1}, {600, 1}, {800, 1}, {1000, 1}};
    // At 800 the timer running since creation goes before the one restarted at 300.
    QTest::newRow("own new period, counted from the tick")
        << 250 << -2
        << upTo300 + Ticks{{400, 1}, {550, 0}, {600, 1}, {800, 1}, {800, 0}, {1000, 1}};
    QTest::newRow("other timer restarted from the tick")
        << 300 << 350 << upTo300 + Ticks{{600, 0}, {650, 1}, {900, 0}, {1000, 1}};
    QTest::newRow("other timer stopped") << 300 << 0 << upTo300 + Ticks{{600, 0}, {900, 0}};
}

void TestTimerRules::writeInsideTickHandler()
{
    QFETCH(int, ownWrite);
    QFETCH(int, otherWrite);
    QFETCH(Ticks, expected);

    Fixture f;
    const int first = f.timers.create(300);
    const int second = f.timers.create(200);
    bool written = false;
    f.onTick = [&](int id) {
        if (id != first || written)
            return;
        written = true;
        f.timers.setPeriod(first, ownWrite);
        if (otherWrite != -2)
            f.timers.setPeriod(second, otherWrite);
    };
    f.clock.advanceTo(1000);
    QCOMPARE(f.ticks, expected);
}

void TestTimerRules::earlyWakeDeliversNothing()
{
    Fixture f;
    const int id = f.timers.create(200);
    f.clock.advanceTo(150);
    f.clock.wakeEarly();
    QVERIFY(f.ticks.isEmpty());
    QCOMPARE(f.clock.pendingWake(), std::optional<qint64>(200));
    f.clock.advanceTo(200);
    QCOMPARE(f.ticks, (Ticks{{200, id}}));
}

void TestTimerRules::stopAllIsForGood()
{
    Fixture f;
    const int a = f.timers.create(100);
    const int b = f.timers.create(250);
    f.clock.advanceTo(250);
    const Ticks before = f.ticks;
    QCOMPARE(before, (Ticks{{100, a}, {200, a}, {250, b}}));

    f.timers.stopAll();
    QVERIFY(f.timers.isStoppedForGood());
    QCOMPARE(f.timers.period(a), 0);
    QCOMPARE(f.timers.period(b), 0);
    QVERIFY(!f.clock.pendingWake());

    // Nothing brings the timers back: not a write, not a new timer.
    f.timers.setPeriod(a, 100);
    const int c = f.timers.create(10);
    QCOMPARE(f.timers.period(a), 0);
    QCOMPARE(f.timers.period(c), 0);
    f.clock.stallBy(1000);
    f.clock.advanceTo(100000);
    QCOMPARE(f.ticks, before);
}

void TestTimerRules::stopAllInsideTickDropsTicksDueWithIt()
{
    Fixture f;
    const int a = f.timers.create(100);
    f.timers.create(100);
    f.onTick = [&](int) { f.timers.stopAll(); };
    f.clock.advanceTo(1000);
    QCOMPARE(f.ticks, (Ticks{{100, a}}));
}

void TestTimerRules::destructionCancelsTheWake()
{
    VirtualDrawClock clock;
    int ticks = 0;
    {
        DrawTimers timers(clock);
        timers.setTickHandler([&](int) { ++ticks; });
        timers.create(100);
        clock.advanceTo(100);
        QVERIFY(clock.pendingWake());
    }
    QVERIFY(!clock.pendingWake());
    clock.wakeEarly(); // the handler was taken back: nothing left to call
    clock.advanceTo(1000);
    QCOMPARE(ticks, 1);
}

QTEST_GUILESS_MAIN(TestTimerRules)
#include "test_timer_rules.moc"
