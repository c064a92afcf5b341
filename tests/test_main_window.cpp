#include "main_window_fixture.h"

#include "windows/name_list_view.h"
#include "windows/status_bar.h"
#include "windows/visual_style.h"
#include "windows/window_placement.h"

#include <QAbstractItemModel>
#include <QAccessible>
#include <QApplication>
#include <QHeaderView>
#include <QPushButton>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;
using quorava::MainWindow;
using quorava::NameListView;
using quorava::PartsStatusBar;

class TestMainWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void centring_data();
    void centring();
    void openingState();
    void controlsAsDefined();
    void listView();
    void enterFollowsTheDefaultButtonRule();
    void enterWithModifiersDoesNothing();
    void tabOrderSkipsDisabledRollCall();
    void escapeClosesTheWindow();
    void focusComesBackAfterDeactivation();
    void controlsReportToAssistiveTechnology();
};

void TestMainWindow::cleanup()
{
    QVERIFY2(QApplication::topLevelWidgets().isEmpty() ||
                 std::none_of(QApplication::topLevelWidgets().cbegin(),
                              QApplication::topLevelWidgets().cend(),
                              [](QWidget *w) { return w->isVisible(); }),
             "a window was left open");
}

void TestMainWindow::centring_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QPoint>("topLeft");
    QTest::newRow("1920x1080") << QSize(1920, 1080) << QPoint(722, 320);
    QTest::newRow("1366x768") << QSize(1366, 768) << QPoint(445, 164);
    QTest::newRow("smaller than the window truncates toward zero")
        << QSize(400, 300) << QPoint(-37, -69);
}

void TestMainWindow::centring()
{
    QFETCH(QSize, screen);
    QFETCH(QPoint, topLeft);
    QCOMPARE(quorava::centredWindowPosition(screen, MainWindow::kOuterSize), topLeft);
}

void TestMainWindow::openingState()
{
    MainWindowFixture f;
    MainWindow *w = f.window;
    QCOMPARE(w->windowTitle(), u"Quorava1.1版————Velmira专属"_s);
    QCOMPARE(w->frameGeometry().size(), MainWindow::kOuterSize); // no frame offscreen
    QCOMPARE(w->minimumSize(), w->maximumSize());
    QVERIFY(!(w->windowFlags() & Qt::WindowMaximizeButtonHint));
    QVERIFY(w->windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!w->windowIcon().isNull());

    QCOMPARE(f.control<NameListView>("超级列表框1")->model()->rowCount(), 0);
    auto *status = f.control<PartsStatusBar>("状态条1");
    QCOMPARE(status->partText(0), u"成功"_s);
    QCOMPARE(status->partText(1), QString());
    QCOMPARE(status->partText(2), QString());
    status->setPartText(3, u"x"_s); // outside the parts: nothing changes
    status->setPartText(-1, u"x"_s);
    QCOMPARE(status->partText(0), u"成功"_s);
    QCOMPARE(status->partGeometry(0).right() + 1, 40);
    QCOMPARE(status->partGeometry(1).right() + 1, 140);
    QCOMPARE(status->partGeometry(2).right() + 1, status->width());
    QVERIFY(!status->isSizeGripEnabled());

    auto *rollCall = f.control<QPushButton>("按钮_点名");
    QVERIFY(!rollCall->isEnabled());
    QTest::mouseClick(rollCall, Qt::LeftButton);
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(QApplication::focusWidget(), f.control<QWidget>("超级列表框1"));
}

void TestMainWindow::controlsAsDefined()
{
    MainWindowFixture f;
    auto *importButton = f.control<QPushButton>("按钮_导入");
    auto *rollCall = f.control<QPushButton>("按钮_点名");
    auto *list = f.control<QWidget>("超级列表框1");
    QCOMPARE(importButton->text(), u"导入名单"_s);
    QCOMPARE(importButton->geometry(), QRect(8, 6, 88, 32));
    QCOMPARE(rollCall->text(), u"开始激动人心的点名吧！"_s);
    QCOMPARE(rollCall->geometry(), QRect(160, 104, 272, 216));
    QCOMPARE(list->geometry(), QRect(0, 40, 120, 352));
    QVERIFY(importButton->isDefault() && rollCall->isDefault());

    QCOMPARE(rollCall->font().pixelSize(), 20);
    QCOMPARE(rollCall->font().weight(), QFont::Bold);
    QCOMPARE(rollCall->font().families().constFirst(), u"微软雅黑"_s);
    auto *status = f.control<QWidget>("状态条1");
    QCOMPARE(status->font().pixelSize(), 12);
    QCOMPARE(status->font().families().constFirst(), u"宋体"_s);

    // Stacking among siblings: roll-call above import above list.
    const QObjectList siblings = list->parentWidget()->children();
    QVERIFY(siblings.indexOf(rollCall) > siblings.indexOf(importButton));
    QVERIFY(siblings.indexOf(importButton) > siblings.indexOf(list));

    QCOMPARE(f.window->centralWidget()->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(importButton->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(rollCall->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(list->cursor().shape(), Qt::ArrowCursor);
    QCOMPARE(status->cursor().shape(), Qt::ArrowCursor);
}

void TestMainWindow::listView()
{
    MainWindowFixture f;
    auto *list = f.control<NameListView>("超级列表框1");
    QHeaderView *header = list->horizontalHeader();
    QCOMPARE(list->model()->headerData(0, Qt::Horizontal).toString(), u"序号"_s);
    QCOMPARE(list->model()->headerData(1, Qt::Horizontal).toString(), u"姓名"_s);
    QCOMPARE(header->sectionSize(0), 50);
    QCOMPARE(header->sectionSize(1), 200);
    QVERIFY(header->sectionsClickable());
    QVERIFY(header->sectionsMovable());
    QVERIFY(!list->isSortingEnabled());
    QVERIFY(list->showGrid());
    QCOMPARE(list->selectionMode(), QAbstractItemView::SingleSelection);
    QCOMPARE(list->editTriggers(), QAbstractItemView::NoEditTriggers);
    QVERIFY(!list->tabKeyNavigation());
    QVERIFY(!list->verticalHeader()->isVisible());
}

void TestMainWindow::enterFollowsTheDefaultButtonRule()
{
    MainWindowFixture f;
    QWidget *list = f.control<QWidget>("超级列表框1");
    auto *importButton = f.control<QPushButton>("按钮_导入");

    // Before any import, Enter on the list runs the import (roll-call is disabled)...
    QTest::keyClick(list, Qt::Key_Return);
    QCOMPARE(f.dialogRuns, 1);
    QVERIFY(f.messages.isEmpty());
    QCOMPARE(QApplication::focusWidget(), list); // Enter never moves the focus

    // ...and after it, even a cancelled one, the roll-call click, which with no rows asks
    // for an import and then runs it.
    QTest::keyClick(list, Qt::Key_Enter, Qt::KeypadModifier);
    QCOMPARE(f.messages, QStringList{u"先导入再点名！"_s});
    QCOMPARE(f.dialogRuns, 2);

    // With the focus on the import button, Enter runs the import although roll-call is
    // enabled.
    importButton->setFocus();
    QTest::keyClick(importButton, Qt::Key_Return);
    QCOMPARE(f.dialogRuns, 3);
    QCOMPARE(f.messages.size(), 1);
}

void TestMainWindow::enterWithModifiersDoesNothing()
{
    MainWindowFixture f;
    auto *importButton = f.control<QPushButton>("按钮_导入");
    importButton->setFocus();
    for (Qt::KeyboardModifier held : {Qt::ShiftModifier, Qt::ControlModifier, Qt::AltModifier})
        QTest::keyClick(importButton, Qt::Key_Return, held);
    QCOMPARE(f.dialogRuns, 0);
}

void TestMainWindow::tabOrderSkipsDisabledRollCall()
{
    MainWindowFixture f;
    QWidget *list = f.control<QWidget>("超级列表框1");
    QWidget *importButton = f.control<QWidget>("按钮_导入");
    QWidget *rollCall = f.control<QWidget>("按钮_点名");
    auto pressTab = [](Qt::KeyboardModifiers held = Qt::NoModifier) {
        QTest::keyClick(QApplication::focusWidget(), held ? Qt::Key_Backtab : Qt::Key_Tab, held);
        return QApplication::focusWidget();
    };
    QCOMPARE(pressTab(), importButton);
    QCOMPARE(pressTab(), list); // roll-call is disabled

    rollCall->setEnabled(true);
    QCOMPARE(pressTab(), importButton);
    QCOMPARE(pressTab(), rollCall);
    QCOMPARE(pressTab(), list);
    QCOMPARE(pressTab(Qt::ShiftModifier), rollCall);
    QCOMPARE(pressTab(Qt::ShiftModifier), importButton);
    QCOMPARE(pressTab(Qt::ShiftModifier), list);
}

void TestMainWindow::escapeClosesTheWindow()
{
    MainWindowFixture f;
    QWidget *importButton = f.control<QWidget>("按钮_导入");
    importButton->setFocus();
    QTest::keyClick(importButton, Qt::Key_Escape);
    QTRY_VERIFY(f.window.isNull()); // closed and destroyed, whatever had the focus
}

void TestMainWindow::focusComesBackAfterDeactivation()
{
    MainWindowFixture f;
    QWidget *importButton = f.control<QWidget>("按钮_导入");
    importButton->setFocus();
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    f.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(f.window));
    QCOMPARE(QApplication::focusWidget(), importButton);
}

void TestMainWindow::controlsReportToAssistiveTechnology()
{
    MainWindowFixture f;
    auto nameOf = [](QObject *object) {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(object);
        return accessible ? accessible->text(QAccessible::Name) : u"(none)"_s;
    };
    QCOMPARE(nameOf(f.control<QPushButton>("按钮_导入")), u"导入名单"_s);
    QCOMPARE(nameOf(f.control<QPushButton>("按钮_点名")), u"开始激动人心的点名吧！"_s);
    QAccessibleInterface *rollCall =
        QAccessible::queryAccessibleInterface(f.control<QPushButton>("按钮_点名"));
    QVERIFY(rollCall->state().disabled);
    QCOMPARE(nameOf(f.control<QWidget>("超级列表框1")), u"名单"_s);
    QCOMPARE(nameOf(f.control<QWidget>("状态条1")->findChild<QWidget *>(u"part0"_s)), u"成功"_s);
    QAccessibleInterface *list =
        QAccessible::queryAccessibleInterface(f.control<QWidget>("超级列表框1"));
    QVERIFY(list && list->tableInterface());
    QCOMPARE(list->tableInterface()->columnCount(), 2);
}

QTEST_MAIN(TestMainWindow)
#include "test_main_window.moc"
