#include "windows/visual_style.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace Qt::Literals::StringLiterals;
using quorava::switchVisualStyle;

namespace {

QColor leftEdgeColour(QWidget *widget)
{
    return widget->grab().toImage().pixelColor(0, widget->height() / 2);
}

std::unique_ptr<QWidget> windowWithControls()
{
    auto window = std::make_unique<QWidget>();
    auto *edit = new QLineEdit(window.get());
    edit->setObjectName(u"edit"_s);
    edit->setGeometry(10, 10, 120, 30);
    auto *frameless = new QLineEdit(window.get());
    frameless->setObjectName(u"frameless"_s);
    frameless->setFrame(false);
    frameless->setGeometry(10, 50, 120, 30);
    auto *label = new QLabel(u"标签"_s, window.get());
    label->setObjectName(u"label"_s);
    label->setGeometry(10, 90, 120, 30);
    auto *button = new QPushButton(u"按钮"_s, window.get());
    button->setObjectName(u"button"_s);
    button->setGeometry(10, 130, 120, 30);
    window->resize(200, 200);
    return window;
}

} // namespace

class TestVisualStyle : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup() { switchVisualStyle(0); }
    void editFrameFollowsTheScheme_data();
    void editFrameFollowsTheScheme();
    void reachesExistingAndLaterWindowsAndSwitchesOff();
    void leavesLabelsAlone();
    void buttonKeepsWorkingAndShowsDefaultEmphasis();
};

void TestVisualStyle::editFrameFollowsTheScheme_data()
{
    QTest::addColumn<int>("scheme");
    QTest::addColumn<QColor>("frame");
    QTest::newRow("blue") << 1 << QColor(123, 158, 189);
    QTest::newRow("olive") << 2 << QColor(164, 185, 127);
    QTest::newRow("silver") << 3 << QColor(198, 197, 215);
}

void TestVisualStyle::editFrameFollowsTheScheme()
{
    QFETCH(int, scheme);
    QFETCH(QColor, frame);
    auto window = windowWithControls();
    switchVisualStyle(scheme);
    QCOMPARE(quorava::currentVisualStyle(), scheme);
    QCOMPARE(leftEdgeColour(window->findChild<QLineEdit *>(u"edit"_s)), frame);
    // An edit box without a border is not restyled.
    QVERIFY(leftEdgeColour(window->findChild<QLineEdit *>(u"frameless"_s)) != frame);
}

void TestVisualStyle::reachesExistingAndLaterWindowsAndSwitchesOff()
{
    const QColor blue(123, 158, 189);
    auto before = windowWithControls();
    auto *editBefore = before->findChild<QLineEdit *>(u"edit"_s);
    const QColor ordinary = leftEdgeColour(editBefore);

    switchVisualStyle(1);
    QCOMPARE(leftEdgeColour(editBefore), blue);
    auto after = windowWithControls();
    QCOMPARE(leftEdgeColour(after->findChild<QLineEdit *>(u"edit"_s)), blue);

    for (int off : {0, 4, -1}) {
        switchVisualStyle(off);
        QCOMPARE(quorava::currentVisualStyle(), 0);
        QCOMPARE(leftEdgeColour(editBefore), ordinary);
        auto later = windowWithControls();
        QCOMPARE(leftEdgeColour(later->findChild<QLineEdit *>(u"edit"_s)), ordinary);
        switchVisualStyle(1);
    }
}

void TestVisualStyle::leavesLabelsAlone()
{
    auto window = windowWithControls();
    auto *label = window->findChild<QLabel *>(u"label"_s);
    const QImage ordinary = label->grab().toImage();
    switchVisualStyle(2);
    QCOMPARE(label->grab().toImage(), ordinary);
}

void TestVisualStyle::buttonKeepsWorkingAndShowsDefaultEmphasis()
{
    switchVisualStyle(1);
    auto window = windowWithControls();
    auto *button = window->findChild<QPushButton *>(u"button"_s);
    QCOMPARE(leftEdgeColour(button), QColor(0, 60, 116));
    const QImage plain = button->grab().toImage();
    button->setDefault(true);
    QVERIFY(button->grab().toImage() != plain);

    int clicks = 0;
    connect(button, &QPushButton::clicked, this, [&clicks] { ++clicks; });
    window->show();
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
}

QTEST_MAIN(TestVisualStyle)
#include "test_visual_style.moc"
