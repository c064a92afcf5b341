#include "main_window_fixture.h"

#include "windows/name_list_view.h"
#include "windows/names_model.h"
#include "windows/status_bar.h"

#include <QAbstractItemModel>
#include <QCoreApplication>
#include <QFile>
#include <QHeaderView>
#include <QPushButton>
#include <QStringDecoder>
#include <QTemporaryDir>
#include <QtTest>

using namespace Qt::Literals::StringLiterals;

namespace {

QByteArray gbk(const QString &text)
{
    QStringEncoder encoder("GB18030");
    return encoder.encode(text);
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the fixture");
    return path;
}

QStringList rows(const QAbstractItemModel *model)
{
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row)
        shown.append(model->index(row, 0).data().toString() + u'|' +
                     model->index(row, 1).data().toString());
    return shown;
}

} // namespace

class TestNameImport : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void importsNumberedRows();
    void cancelReadsTheChosenFileAgain();
    void firstCancelGivesAnEmptyList();
    void unreadableFileIsReported();
    void markupIsShownLiterally();
    void movedColumnsStillGetTheRightCells();
};

void TestNameImport::importsNumberedRows()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"班级.txt"_s, gbk(u"张三\r\n李四\r\n\r\n王五\r\n"_s));
    MainWindowFixture f;
    f.dialogAnswers = {path};
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);

    QCOMPARE(f.dialogRuns, 1);
    QCOMPARE(f.dialogDirectories, QStringList{QCoreApplication::applicationDirPath()});
    QCOMPARE(rows(f.window->namesModel()), (QStringList{u"1|张三"_s, u"2|李四"_s, u"3|王五"_s}));
    QCOMPARE(f.control<quorava::PartsStatusBar>("状态条1")->partText(1), u"3条"_s);
    QCOMPARE(f.control<quorava::PartsStatusBar>("状态条1")->partText(0), u"成功"_s);
    QVERIFY(f.control<QPushButton>("按钮_点名")->isEnabled());
    QCOMPARE(f.state.nameCount(), 3);
    QCOMPARE(f.state.name(3), std::optional<QString>(u"王五"_s));
    QVERIFY(f.state.importedText()->startsWith(u"张三\r\n"_s));
    QVERIFY(f.messages.isEmpty());
}

void TestNameImport::cancelReadsTheChosenFileAgain()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"names.txt"_s, "Alice\nBob\n"_ba);
    MainWindowFixture f;
    f.dialogAnswers = {path};
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);
    QCOMPARE(f.window->namesModel()->rowCount(), 2);

    writeFile(dir, u"names.txt"_s, "Carol\r\nDave\r\nErin"_ba); // changed on disk meanwhile
    f.dialogAnswers = {std::nullopt};
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);
    QCOMPARE(rows(f.window->namesModel()), (QStringList{u"1|Carol"_s, u"2|Dave"_s, u"3|Erin"_s}));
    QCOMPARE(f.control<quorava::PartsStatusBar>("状态条1")->partText(1), u"3条"_s);
}

void TestNameImport::firstCancelGivesAnEmptyList()
{
    MainWindowFixture f;
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);
    QCOMPARE(f.window->namesModel()->rowCount(), 0);
    QCOMPARE(f.state.nameCount(), 0);
    QVERIFY(f.control<QPushButton>("按钮_点名")->isEnabled());
    QCOMPARE(f.control<quorava::PartsStatusBar>("状态条1")->partText(1), u"0条"_s);
    QVERIFY(f.messages.isEmpty()); // a cancel is not reported
}

void TestNameImport::unreadableFileIsReported()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"gone.txt"_s, "Alice\r\n"_ba);
    MainWindowFixture f;
    f.dialogAnswers = {path};
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);
    QCOMPARE(f.window->namesModel()->rowCount(), 1);

    QFile::remove(path); // deleted after it was chosen
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);
    QCOMPARE(f.messages.size(), 1);
    QVERIFY2(f.messages.constFirst().contains(path), qPrintable(f.messages.constFirst()));
    QCOMPARE(f.window->namesModel()->rowCount(), 0);
    QCOMPARE(f.state.nameCount(), 0);
    QCOMPARE(f.control<quorava::PartsStatusBar>("状态条1")->partText(1), u"0条"_s);

    f.dialogAnswers = {dir.path()}; // a folder
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);
    QCOMPARE(f.messages.size(), 2);
    QVERIFY(f.messages.constLast().contains(dir.path()));
}

void TestNameImport::markupIsShownLiterally()
{
    QTemporaryDir dir;
    const QString path =
        writeFile(dir, u"m.txt"_s, "<b>\xe5\xbc\xa0\xe4\xb8\x89</b>\r\n<img src=x>\r\nA&B\r\n"_ba);
    MainWindowFixture f;
    f.dialogAnswers = {path};
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);
    QCOMPARE(rows(f.window->namesModel()),
             (QStringList{u"1|<b>张三</b>"_s, u"2|<img src=x>"_s, u"3|A&B"_s}));
    // The cell shows exactly those characters: the view's delegate draws plain text.
    auto *list = f.control<quorava::NameListView>("超级列表框1");
    QStyleOptionViewItem option;
    option.initFrom(list);
    QVERIFY(list->itemDelegate()->sizeHint(option, f.window->namesModel()->index(0, 1)).width() >
            list->fontMetrics().horizontalAdvance(u"张三"_s) +
                list->fontMetrics().horizontalAdvance(u"<b></b>"_s) / 2);
}

void TestNameImport::movedColumnsStillGetTheRightCells()
{
    QTemporaryDir dir;
    const QString path = writeFile(dir, u"n.txt"_s, "Alice\r\nBob\r\n"_ba);
    MainWindowFixture f;
    auto *list = f.control<quorava::NameListView>("超级列表框1");
    QHeaderView *header = list->horizontalHeader();
    header->moveSection(1, 0); // the user drags 姓名 before 序号
    QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                      QPoint(header->sectionViewportPosition(0) + 5, header->height() / 2));
    f.dialogAnswers = {path};
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);
    QCOMPARE(header->visualIndex(1), 0); // the on-screen order survives the import
    QCOMPARE(header->sectionSize(0), 50);
    QCOMPARE(header->sectionSize(1), 200);
    QCOMPARE(rows(f.window->namesModel()), (QStringList{u"1|Alice"_s, u"2|Bob"_s})); // no sort
}

QTEST_MAIN(TestNameImport)
#include "test_name_import.moc"
