#include "app/program.h"
#include "windows/main_window.h"
#include "windows/name_list_view.h"

#include <QApplication>
#include <QDir>
#include <QKeyEvent>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

class TestProgram : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void startsInTheProgramsFolder();
    void escapeEndsTheLoopAndCleansUpInOrder();
    void cleanUpRunsOnce();
    void memoryExhaustedInAHandlerIsFatal();
};

void TestProgram::startsInTheProgramsFolder()
{
    QDir::setCurrent(QDir::tempPath());
    quorava::Program program;
    QCOMPARE(QDir::currentPath(), QCoreApplication::applicationDirPath());
    QCOMPARE(program.state().nameCount(), 0);
    QVERIFY(!program.state().importedText());
    QVERIFY(!program.state().chosenName());
    QCOMPARE(program.state().flickerCount(), 0);
}

void TestProgram::escapeEndsTheLoopAndCleansUpInOrder()
{
    quorava::Program program;
    QStringList steps;
    bool windowsLeftAtCleanUp = true;
    program.state().replaceImportedText(u"张三\r\n李四"_s);
    program.state().replaceChosenName(u"李四"_s);
    program.state().setReleaseObserver([&](const char *step) {
        steps.append(QString::fromLatin1(step));
        windowsLeftAtCleanUp = !QApplication::topLevelWidgets().isEmpty();
    });
    program.openMainWindow();
    QVERIFY(QTest::qWaitForWindowExposed(program.mainWindow()));
    QTimer::singleShot(0, program.mainWindow(), [&program] {
        QTest::keyClick(program.mainWindow()->nameListView(), Qt::Key_Escape);
    });
    QCOMPARE(program.run(), 0);
    QCOMPARE(steps, (QStringList{u"imported_text"_s, u"name_list"_s, u"chosen_name"_s}));
    QVERIFY(!windowsLeftAtCleanUp);
}

void TestProgram::cleanUpRunsOnce()
{
    quorava::ProgramState state;
    int steps = 0;
    state.setReleaseObserver([&steps](const char *) { ++steps; });
    state.releaseAll(); // nothing imported: only the empty list is released
    state.releaseAll();
    QCOMPARE(steps, 1);
}

void TestProgram::memoryExhaustedInAHandlerIsFatal()
{
    QProcess probe;
    probe.setProgram(QCoreApplication::applicationDirPath() + u"/fatal_probe"_s);
    probe.start();
    QVERIFY(probe.waitForFinished(60000));
    const QString output = QString::fromUtf8(probe.readAllStandardOutput());
    QCOMPARE(probe.exitStatus(), QProcess::NormalExit);
    QCOMPARE(probe.exitCode(), 255); // -1 as the shell sees it
    QVERIFY2(output.contains(u"reported: 内存不足"_s), qPrintable(output));
    QVERIFY2(!output.contains(u"clean-up"_s), "the exit clean-up must not run");
}

QTEST_MAIN(TestProgram)
#include "test_program.moc"
