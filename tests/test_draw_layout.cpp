#include "windows/draw_layout.h"

#include <QTest>

using namespace quorava;

class TestDrawLayout : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void definedPlaces();
    void screens_data();
    void screens();
    void buttonsStayOnScreen();
};

void TestDrawLayout::definedPlaces()
{
    using namespace draw_window;
    QCOMPARE(kDefinedWindow, QRect(50, 50, 753, 496));
    QCOMPARE(kDefinedBand, QRect(16, 192, 712, 152));
    QCOMPARE(kDefinedStatusLine, QRect(264, 120, 296, 48));
    QCOMPARE(kDefinedBandUnder, QRect(8, 184, 720, 160));
    QCOMPARE(kDefinedBackButton, QRect(264, 360, 184, 48));
    QCOMPARE(kDefinedReplayButton, QRect(488, 360, 184, 48));
    QCOMPARE(kStatusLineSize, QSize(296, 48));
    QCOMPARE(kButtonSize, QSize(184, 48));
}

void TestDrawLayout::screens_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("bandTop");
    QTest::addColumn<int>("bandHeight");
    QTest::addColumn<QPoint>("statusLine");
    QTest::addColumn<int>("backLeft");
    QTest::addColumn<int>("replayLeft");
    QTest::addColumn<int>("buttonTop");

    QTest::newRow("1920x1080") << 1920 << 1080 << 440 << 384 << QPoint(812, 387) << 548 << 1280
                               << 834;
    // 1366 / 1.5 is 910.67: the replay button's left is truncated, not rounded.
    QTest::newRow("1366x768") << 1366 << 768 << 284 << 273 << QPoint(535, 231) << 363 << 910 << 567;
    // trunc(682.5 - 148) = 534.
    QTest::newRow("odd width 1365")
        << 1365 << 768 << 284 << 273 << QPoint(534, 231) << 363 << 910 << 567;
    QTest::newRow("640x480, smaller than the defined window")
        << 640 << 480 << 140 << 128 << QPoint(172, 87) << 121 << 426 << 278;
    QTest::newRow("the defined size 753x496")
        << 753 << 496 << 148 << 150 << QPoint(228, 95) << 159 << 502 << 308;
    QTest::newRow("portrait 1080x1920")
        << 1080 << 1920 << 860 << 216 << QPoint(392, 807) << 268 << 720 << 1086;
    QTest::newRow("21:9 2560x1080, fits")
        << 2560 << 1080 << 440 << 512 << QPoint(1132, 387) << 761 << 1706 << 962;
    // Truncation goes toward zero: -0.5 gives 0, -47.5 gives -47, -58.67 gives -58.
    QTest::newRow("tiny 201x199") << 201 << 199 << 0 << 40 << QPoint(-47, -53) << -25 << 134 << 50;
    QTest::newRow("tiny 100x100") << 100 << 100 << -50 << 20 << QPoint(-98, -103) << -58 << 66
                                  << -20;

    // Buttons would end exactly at the bottom edge (440 + 582 + 10 + 48 = 1080): unchanged.
    QTest::newRow("2910x1080, buttons touch the bottom")
        << 2910 << 1080 << 440 << 582 << QPoint(1307, 387) << 878 << 1940 << 1032;
    QTest::newRow("2914x1080, last width unchanged")
        << 2914 << 1080 << 440 << 582 << QPoint(1309, 387) << 879 << 1942 << 1032;
    // One pixel more of band and they would cross it: the band shrinks to end 10 px higher.
    QTest::newRow("2915x1080, first width shortened")
        << 2915 << 1080 << 440 << 572 << QPoint(1309, 387) << 879 << 1943 << 1022;
    QTest::newRow("3840x1080") << 3840 << 1080 << 440 << 572 << QPoint(1772, 387) << 1188 << 2560
                               << 1022;
    QTest::newRow("5120x1440") << 5120 << 1440 << 620 << 752 << QPoint(2412, 567) << 1614 << 3413
                               << 1382;
    QTest::newRow("7680x2160") << 7680 << 2160 << 980 << 1112 << QPoint(3692, 927) << 2468 << 5120
                               << 2102;
}

void TestDrawLayout::screens()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, bandTop);
    QFETCH(int, bandHeight);
    QFETCH(QPoint, statusLine);
    QFETCH(int, backLeft);
    QFETCH(int, replayLeft);
    QFETCH(int, buttonTop);

    const DrawLayout layout = layOutDrawWindow(width, height);
    QCOMPARE(layout.window, QRect(0, 0, width, height));
    QCOMPARE(layout.bandUnder, QRect(0, bandTop, width, bandHeight));
    QCOMPARE(layout.band, layout.bandUnder);
    QCOMPARE(layout.statusLine, QRect(statusLine, QSize(296, 48)));
    QCOMPARE(layout.backButton, QRect(backLeft, buttonTop, 184, 48));
    QCOMPARE(layout.replayButton, QRect(replayLeft, buttonTop, 184, 48));
}

void TestDrawLayout::buttonsStayOnScreen()
{
    // Over a spread of screens: the band is a fifth of the width unless that would push the
    // buttons off the bottom, and then the buttons end 10 pixels above it.
    for (int height = 480; height <= 4320; height += 37) {
        for (int width = 640; width <= 8192; width += 29) {
            const DrawLayout layout = layOutDrawWindow(width, height);
            const int buttonsBottom = layout.backButton.top() + layout.backButton.height();
            const bool shortened = layout.band.height() != width / 5;
            const QByteArray where = QByteArray::number(width) + 'x' + QByteArray::number(height);
            QVERIFY2(buttonsBottom <= height, where.constData());
            if (shortened) {
                // Only where the full band would push the buttons over the edge.
                QVERIFY2(layout.band.top() + width / 5 + 10 + 48 > height, where.constData());
                QVERIFY2(layout.band.height() < width / 5, where.constData());
                QVERIFY2(buttonsBottom == height - 10, where.constData());
            }
            QVERIFY2(layout.replayButton.top() == layout.backButton.top(), where.constData());
            QVERIFY2(layout.backButton.top() == layout.band.top() + layout.band.height() + 10,
                     where.constData());
            QVERIFY2(layout.band == layout.bandUnder, where.constData());
        }
    }
}

QTEST_GUILESS_MAIN(TestDrawLayout)
#include "test_draw_layout.moc"
