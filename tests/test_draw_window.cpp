#include "main_window_fixture.h"
#include "virtual_draw_clock.h"

#include "windows/draw_layout.h"
#include "windows/draw_window.h"
#include "windows/engraved_label.h"
#include "windows/names_model.h"
#include "windows/status_bar.h"

#include <QAccessible>
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <functional>

using namespace Qt::Literals::StringLiterals;
using quorava::DrawWindow;
using quorava::VirtualDrawClock;

namespace {

// A main window with names imported, whose draw windows run on a virtual clock.
struct DrawFixture : MainWindowFixture {
    QTemporaryDir dir;
    VirtualDrawClock *clock = nullptr;

    explicit DrawFixture(const QByteArray &names = "Alice\r\nBob\r\nCarol\r\nDave\r\n"_ba)
    {
        DrawWindow::setClockFactoryForTesting([this] {
            auto virtualClock = std::make_unique<VirtualDrawClock>();
            clock = virtualClock.get();
            return virtualClock;
        });
        const QString path = dir.filePath(u"names.txt"_s);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(names);
        file.close();
        dialogAnswers = {path};
        QTest::mouseClick(control<QPushButton>("按钮_导入"), Qt::LeftButton);
    }
    ~DrawFixture() { DrawWindow::setClockFactoryForTesting({}); }

    // Clicks roll-call and runs `whileOpen` inside the draw window's modal run; returns once
    // the window has closed.
    void draw(const std::function<void(DrawWindow *)> &whileOpen)
    {
        bool ran = false;
        QTimer::singleShot(0, window, [&] {
            auto *draw = qobject_cast<DrawWindow *>(QApplication::activeModalWidget());
            QVERIFY2(draw, "the draw window is not the modal window");
            whileOpen(draw);
            ran = true;
        });
        QTest::mouseClick(control<QPushButton>("按钮_点名"), Qt::LeftButton);
        QVERIFY(ran);
    }

    static QString band(DrawWindow *draw)
    {
        return draw->findChild<quorava::EngravedLabel *>(u"标签1"_s)->text();
    }
    static QString statusLine(DrawWindow *draw)
    {
        return draw->findChild<QLineEdit *>(u"编辑框1"_s)->text();
    }
};

} // namespace

class TestDrawWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void opensFullScreenAsDefined();
    void revealsTheChosenName();
    void escapeGivesTheMainWindowBack();
    void backButtonGivesTheMainWindowBack();
    void emptyListAsksForAnImportFirst();
    void bandIsPaintedEngravedAndPlain();
};

void TestDrawWindow::opensFullScreenAsDefined()
{
    DrawFixture f;
    f.draw([](DrawWindow *draw) {
        const QSize screen = QGuiApplication::primaryScreen()->geometry().size();
        const quorava::DrawLayout layout =
            quorava::layOutDrawWindow(screen.width(), screen.height());
        QCOMPARE(draw->geometry(), layout.window);
        QVERIFY(draw->windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(draw->findChild<QWidget *>(u"标签1"_s)->geometry(), layout.band);
        QCOMPARE(draw->findChild<QWidget *>(u"编辑框2"_s)->geometry(), layout.bandUnder);
        QCOMPARE(draw->findChild<QWidget *>(u"编辑框1"_s)->geometry(), layout.statusLine);
        QCOMPARE(draw->findChild<QWidget *>(u"按钮1"_s)->geometry(), layout.backButton);
        QCOMPARE(draw->findChild<QWidget *>(u"按钮2"_s)->geometry(), layout.replayButton);

        // Creation order, which is also the stacking order bottom to top for the controls.
        QStringList order;
        for (QObject *child : draw->children())
            if (!child->objectName().isEmpty())
                order.append(child->objectName());
        QCOMPARE(order, (QStringList{u"编辑框1"_s, u"编辑框2"_s, u"按钮1"_s, u"时钟1"_s, u"时钟2"_s,
                                     u"按钮2"_s, u"标签1"_s}));
        QCOMPARE(draw->findChild<QObject *>(u"时钟1"_s)->property("period").toInt(), 5000);
        QCOMPARE(draw->findChild<QObject *>(u"时钟2"_s)->property("period").toInt(), 200);

        auto *status = draw->findChild<QLineEdit *>(u"编辑框1"_s);
        QCOMPARE(status->text(), u"正在随机抽选中..."_s);
        QVERIFY(status->isReadOnly());
        QCOMPARE(status->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
        QCOMPARE(status->font().pixelSize(), 29);
        QCOMPARE(status->palette().color(QPalette::Text), QColor(0, 136, 255));
        QCOMPARE(status->palette().color(QPalette::Base), QColor(192, 192, 192));
        QCOMPARE(draw->findChild<QWidget *>(u"标签1"_s)->font().pixelSize(), 96);
        QCOMPARE(draw->findChild<QWidget *>(u"编辑框2"_s)->font().pixelSize(), 96);
        for (const char *name : {"按钮1", "按钮2"}) {
            auto *button = draw->findChild<QPushButton *>(QString::fromUtf8(name));
            QCOMPARE(button->font().pixelSize(), 19);
            QCOMPARE(button->font().weight(), QFont::Bold);
            QVERIFY(!button->isDefault());
        }
        QCOMPARE(draw->findChild<QPushButton *>(u"按钮1"_s)->text(), u"返回上一页"_s);
        QCOMPARE(draw->findChild<QPushButton *>(u"按钮2"_s)->text(), u"重新点名"_s);
        draw->close();
    });
}

void TestDrawWindow::revealsTheChosenName()
{
    DrawFixture f;
    // From a count of 2 the flicker ends before the reveal, so the band keeps the
    // chosen name once it has been revealed.
    f.state.setFlickerCount(2);
    f.draw([&f](DrawWindow *draw) {
        const std::optional<QString> chosen = f.state.chosenName();
        QVERIFY(chosen);
        QVERIFY(QStringList({u"Alice"_s, u"Bob"_s, u"Carol"_s, u"Dave"_s}).contains(*chosen));
        f.clock->advanceTo(4999);
        QCOMPARE(DrawFixture::statusLine(draw), u"正在随机抽选中..."_s);
        f.clock->advanceTo(5000);
        QCOMPARE(DrawFixture::statusLine(draw), u"同学，别看了就是你！"_s);
        QCOMPARE(DrawFixture::band(draw), *chosen);
        // The custom-painted band still reports its caption to assistive technology.
        QAccessibleInterface *band =
            QAccessible::queryAccessibleInterface(draw->findChild<QWidget *>(u"标签1"_s));
        QVERIFY(band);
        QCOMPARE(band->text(QAccessible::Name), *chosen);
        f.clock->advanceTo(60000);
        QCOMPARE(DrawFixture::band(draw), *chosen);
        QCOMPARE(f.state.flickerCount(), 0);

        // Replay: the same name again, 5000 ms after the click.
        QTest::mouseClick(draw->findChild<QPushButton *>(u"按钮2"_s), Qt::LeftButton);
        QCOMPARE(DrawFixture::statusLine(draw), u"正在随机抽选中..."_s);
        f.clock->advanceTo(60000 + 5000);
        QCOMPARE(DrawFixture::statusLine(draw), u"同学，别看了就是你！"_s);
        QCOMPARE(f.state.chosenName(), chosen);
        draw->close();
    });
}

void TestDrawWindow::escapeGivesTheMainWindowBack()
{
    DrawFixture f;
    for (const char *focused : {"按钮1", "按钮2", "编辑框1"}) {
        QPointer<DrawWindow> closed;
        f.draw([&](DrawWindow *draw) {
            closed = draw;
            f.clock->advanceTo(1000);
            QWidget *target = draw->findChild<QWidget *>(QString::fromUtf8(focused));
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Escape);
            QVERIFY(!draw->isVisible());
            QVERIFY(draw->sequence().isClosed()); // no tick after this
        });
        QVERIFY(closed.isNull());
        QVERIFY(!QApplication::activeModalWidget());
        QCOMPARE(f.window->namesModel()->rowCount(), 4);
        QCOMPARE(f.control<quorava::PartsStatusBar>("状态条1")->partText(1), u"4条"_s);
        QVERIFY(f.control<QPushButton>("按钮_点名")->isEnabled());
    }
    // Kept across openings: five ticks (200 .. 1000 ms) in each of the three.
    QCOMPARE(f.state.flickerCount(), 15);
}

void TestDrawWindow::backButtonGivesTheMainWindowBack()
{
    DrawFixture f;
    QPointer<DrawWindow> closed;
    f.draw([&](DrawWindow *draw) {
        closed = draw;
        f.clock->advanceTo(5200);
        QTest::mouseClick(draw->findChild<QPushButton *>(u"按钮1"_s), Qt::LeftButton);
        QVERIFY(draw->sequence().isClosed());
    });
    QVERIFY(closed.isNull());
    QVERIFY(!QApplication::activeModalWidget());
    QCOMPARE(f.window->namesModel()->rowCount(), 4);
    QCOMPARE(f.state.flickerCount(), 0);
}

void TestDrawWindow::emptyListAsksForAnImportFirst()
{
    MainWindowFixture f;
    QStringList happened;
    quorava::setInformationSinkForTesting(
        [&happened](const QString &text) { happened.append(u"message: "_s + text); });
    quorava::OpenFileDialog::setAnswererForTesting(
        [&happened](const quorava::OpenFileDialog &) -> std::optional<QString> {
            happened.append(u"dialog"_s);
            return std::nullopt;
        });
    auto *rollCall = f.control<QPushButton>("按钮_点名");
    rollCall->setEnabled(true);
    QTest::mouseClick(rollCall, Qt::LeftButton);
    QTest::mouseClick(rollCall, Qt::LeftButton); // still empty: asked again
    QCOMPARE(happened, (QStringList{u"message: 先导入再点名！"_s, u"dialog"_s,
                                    u"message: 先导入再点名！"_s, u"dialog"_s}));
    QVERIFY(!QApplication::activeModalWidget());
}

void TestDrawWindow::bandIsPaintedEngravedAndPlain()
{
    quorava::EngravedLabel band;
    band.setBackground(QColor(255, 128, 192));
    band.resize(400, 120);
    band.setFont([] {
        QFont font;
        font.setPixelSize(96);
        font.setBold(true);
        return font;
    }());
    band.setText(u"<b>A&B</b>"_s);
    QCOMPARE(band.text(), u"<b>A&B</b>"_s);
    const QImage image = band.grab().toImage();
    QCOMPARE(image.pixelColor(0, 0), QColor(255, 128, 192)); // opaque pink to the edges
    bool white = false, black = false;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            white |= image.pixelColor(x, y) == QColor(Qt::white);
            black |= image.pixelColor(x, y) == QColor(Qt::black);
        }
    QVERIFY(white && black); // the white copy shows beside the black one
    // The literal text is wider than the label: one centred line, cut off at both edges.
    QVERIFY(band.fontMetrics().horizontalAdvance(band.text()) > band.width());
    auto inked = [&image](int x) {
        for (int y = 0; y < image.height(); ++y)
            if (image.pixelColor(x, y) != QColor(255, 128, 192))
                return true;
        return false;
    };
    QVERIFY(inked(0) && inked(image.width() - 1));
}

QTEST_MAIN(TestDrawWindow)
#include "test_draw_window.moc"
