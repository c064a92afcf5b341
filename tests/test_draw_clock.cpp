#include "windows/qt_draw_clock.h"
#include "windows/timer_rules.h"

#include <QTest>

#include <memory>

using namespace quorava;

// The timer rules on real time. Only properties that hold however late the event loop
// delivers are checked: ticks come in due order, so when the 30 ms timer ticks for the k-th
// time the 10 ms timer, created first, has ticked at least 3k times.
class TestDrawClock : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void realTimers();
};

void TestDrawClock::realTimers()
{
    auto clock = std::make_unique<QtDrawClock>();
    auto timers = std::make_unique<DrawTimers>(*clock);
    const int fast = timers->create(10);
    const int slow = timers->create(30);

    int fastTicks = 0;
    QList<int> fastTicksAtSlow;
    qint64 lastNow = clock->nowMs();
    bool timeWentBack = false;
    timers->setTickHandler([&](int id) {
        const qint64 now = clock->nowMs();
        timeWentBack = timeWentBack || now < lastNow;
        lastNow = now;
        if (id == fast) {
            ++fastTicks;
            return;
        }
        fastTicksAtSlow.append(fastTicks);
        if (fastTicksAtSlow.size() == 3)
            timers->setPeriod(slow, 0); // a one-shot from here on
    });

    QTRY_COMPARE_WITH_TIMEOUT(fastTicksAtSlow.size(), 3, 20000);
    for (qsizetype k = 0; k < fastTicksAtSlow.size(); ++k)
        QVERIFY2(fastTicksAtSlow[k] >= 3 * (k + 1),
                 qPrintable(QString::number(fastTicksAtSlow[k])));
    QCOMPARE(timers->period(slow), 0);

    // The stopped timer stays silent while the other one goes on.
    const int fastAtStop = fastTicks;
    QTRY_VERIFY_WITH_TIMEOUT(fastTicks >= fastAtStop + 10, 20000);
    QCOMPARE(fastTicksAtSlow.size(), 3);
    QVERIFY(!timeWentBack);

    // After stopAll nothing more arrives.
    timers->stopAll();
    const int fastAtClose = fastTicks;
    QTest::qWait(100);
    QCOMPARE(fastTicks, fastAtClose);
    QCOMPARE(fastTicksAtSlow.size(), 3);

    // Taking the timers and the clock down in the window's order leaves nothing behind.
    timers.reset();
    clock.reset();
    QTest::qWait(20);
}

QTEST_GUILESS_MAIN(TestDrawClock)
#include "test_draw_clock.moc"
