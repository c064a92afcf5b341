// The draw window opened and closed many times, by Esc and by "返回上一页", at instants
// around the reveal: no tick is handled once the window is closed, and nothing is left.
#include "main_window_fixture.h"
#include "virtual_draw_clock.h"

#include "windows/draw_window.h"
#include "windows/engraved_label.h"
#include "windows/names_model.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QTimer>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using quorava::DrawWindow;

namespace {

int liveDrawWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::allWidgets())
        count += qobject_cast<DrawWindow *>(widget) != nullptr;
    return count;
}

struct Shown {
    QString band;
    QString status;
    bool operator==(const Shown &) const = default;
};

Shown shownBy(DrawWindow *draw)
{
    return {draw->findChild<quorava::EngravedLabel *>(u"标签1"_s)->text(),
            draw->findChild<QLineEdit *>(u"编辑框1"_s)->text()};
}

void closeBy(DrawWindow *draw, int way)
{
    switch (way) {
    case 0:
        QTest::keyClick(draw, Qt::Key_Escape);
        break;
    case 1:
        QTest::keyClick(draw->findChild<QWidget *>(u"按钮2"_s), Qt::Key_Escape);
        break;
    default:
        QTest::mouseClick(draw->findChild<QPushButton *>(u"按钮1"_s), Qt::LeftButton);
        break;
    }
}

// Opens the draw window from the main window and runs `whileOpen` inside its modal run.
void openDraw(MainWindowFixture &f, const std::function<void(DrawWindow *)> &whileOpen)
{
    QTimer::singleShot(0, f.window, [&] {
        whileOpen(qobject_cast<DrawWindow *>(QApplication::activeModalWidget()));
    });
    QTest::mouseClick(f.control<QPushButton>("按钮_点名"), Qt::LeftButton);
}

void importNames(MainWindowFixture &f)
{
    quorava::NameList names(u"Alice\nBob\nCarol\n"_s);
    names.append(0, 5);
    names.append(6, 3);
    names.append(10, 5);
    f.state.replaceNameList(names);
    f.window->namesModel()->setNames(&f.state.nameList());
    f.control<QPushButton>("按钮_点名")->setEnabled(true);
}

} // namespace

class TestDrawWindowStress : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void manyOpeningsOnTheVirtualClock();
    void closingAroundTheRevealOnRealTimers();
};

void TestDrawWindowStress::manyOpeningsOnTheVirtualClock()
{
    MainWindowFixture f;
    importNames(f);
    quorava::VirtualDrawClock *clock = nullptr;
    DrawWindow::setClockFactoryForTesting([&clock] {
        auto virtualClock = std::make_unique<quorava::VirtualDrawClock>();
        clock = virtualClock.get();
        return virtualClock;
    });
    const int topLevelsBefore = int(QApplication::topLevelWidgets().size());
    QRandomGenerator random(20261211); // fixed: the same instants every run

    for (int opening = 0; opening < 300; ++opening) {
        const int way = int(random.bounded(3));
        const qint64 closeAt = 4600 + random.bounded(1000); // around the reveal at 5000
        bool checked = false;
        openDraw(f, [&](DrawWindow *draw) {
            QVERIFY(draw);
            clock->advanceTo(closeAt);
            closeBy(draw, way);
            QVERIFY(draw->sequence().isClosed());
            QVERIFY(!clock->pendingWake()); // nothing left to wake the timers
            const Shown atClose = shownBy(draw);
            clock->advanceBy(10000); // the window is not destroyed yet: still no tick
            QCOMPARE(shownBy(draw), atClose);
            checked = true;
        });
        QVERIFY2(checked, "the draw window did not open");
        QCOMPARE(liveDrawWindows(), 0);
        QVERIFY(!QApplication::activeModalWidget());
        QVERIFY(f.state.flickerCount() >= 0 && f.state.flickerCount() <= 25);
    }
    QCOMPARE(int(QApplication::topLevelWidgets().size()), topLevelsBefore);
    DrawWindow::setClockFactoryForTesting({});
}

void TestDrawWindowStress::closingAroundTheRevealOnRealTimers()
{
    // The production timers: close a little before, at and after the reveal. What is checked
    // holds whenever exactly the ticks arrive.
    MainWindowFixture f;
    importNames(f);
    for (int closeAfterMs : {4950, 5000, 5100}) {
        openDraw(f, [&](DrawWindow *opened) {
            QPointer<DrawWindow> draw = opened;
            // Keep the window alive a while after the close: a tick would change the band.
            draw->setAttribute(Qt::WA_DeleteOnClose, false);
            QTest::qWait(closeAfterMs);
            closeBy(draw, closeAfterMs == 5000 ? 2 : 0);
            const Shown atClose = shownBy(draw);
            QTest::qWait(400);
            QVERIFY(draw);
            QCOMPARE(shownBy(draw), atClose);
            delete draw.data();
        });
        QTRY_COMPARE(liveDrawWindows(), 0);
    }
}

QTEST_MAIN(TestDrawWindowStress)
#include "test_draw_window_stress.moc"
