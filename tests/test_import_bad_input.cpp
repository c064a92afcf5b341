// Strange files through the real import path: each gives its clear result at once, never
// a crash or a hang.
#include "main_window_fixture.h"

#include "windows/names_model.h"
#include "windows/status_bar.h"

#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <sys/stat.h>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;

namespace {

enum class Make { Bytes, Fifo, DevZero, Folder, Unreadable, DeletedAfterChoice, OverOneGiB };

QString makeInput(const QTemporaryDir &dir, Make make, const QByteArray &bytes)
{
    const QString path = dir.filePath(u"input.txt"_s);
    auto write = [&path](const QByteArray &content) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
            qFatal("cannot write the fixture");
    };
    switch (make) {
    case Make::Bytes:
        write(bytes);
        return path;
    case Make::Fifo:
        if (::mkfifo(QFile::encodeName(path).constData(), 0600) != 0)
            qFatal("mkfifo failed");
        return path;
    case Make::DevZero:
        return u"/dev/zero"_s;
    case Make::Folder:
        return dir.path();
    case Make::Unreadable:
        write(bytes);
        QFile::setPermissions(path, {});
        return path;
    case Make::DeletedAfterChoice:
        return path; // chosen, but never there when read
    case Make::OverOneGiB: {
        write({});
        if (::truncate(QFile::encodeName(path).constData(), (qint64(1) << 30) + 1) != 0)
            qFatal("truncate failed");
        return path;
    }
    }
    return path;
}

} // namespace

class TestImportBadInput : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void strangeFiles_data();
    void strangeFiles();
};

void TestImportBadInput::strangeFiles_data()
{
    QTest::addColumn<int>("make");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<bool>("reported");

    const bool root = ::geteuid() == 0; // permission bits do not stop root from reading
    auto row = [](const char *name, Make make, const QByteArray &bytes, const QStringList &names,
                  bool reported) {
        QTest::newRow(name) << int(make) << bytes << names << reported;
    };
    row("empty file", Make::Bytes, {}, {}, false);
    row("zero byte first", Make::Bytes, "\0Alice\r\n"_ba, {}, false);
    row("UTF-16 LE", Make::Bytes, "\xff\xfeZ\0h\0\r\0\n\0L\0i\0"_ba, {u"Zh"_s, u"Li"_s}, false);
    row("UTF-16 BE", Make::Bytes, "\xfe\xff\0Z\0h\0\n\0L\0i"_ba, {u"Zh"_s, u"Li"_s}, false);
    row("UTF-8 BOM alone", Make::Bytes, "\xef\xbb\xbf"_ba, {}, false);
    row("UTF-16 BOM alone", Make::Bytes, "\xff\xfe"_ba, {}, false);
    row("invalid UTF-8 read as GB18030", Make::Bytes, "\xd5\xc5\xc8\xfd\r\n\xff\r\nBob"_ba,
        {u"张三"_s, u"\ufffd"_s, u"Bob"_s}, false);
    row("lone CR", Make::Bytes, "Alice\rBob\r"_ba, {u"Alice"_s, u"Bob"_s}, false);
    row("a 10 MB single line", Make::Bytes, QByteArray(10 << 20, 'x'), {QString(10 << 20, u'x')},
        false);
    row("FIFO", Make::Fifo, {}, {}, true);
    row("/dev/zero", Make::DevZero, {}, {}, true);
    row("folder", Make::Folder, {}, {}, true);
    row("no read permission", Make::Unreadable, "Alice\r\n"_ba,
        root ? QStringList{u"Alice"_s} : QStringList{}, !root);
    row("deleted after it was chosen", Make::DeletedAfterChoice, {}, {}, true);
    row("over 1 GiB", Make::OverOneGiB, {}, {}, true);
}

void TestImportBadInput::strangeFiles()
{
    QFETCH(int, make);
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);
    QFETCH(bool, reported);

    QTemporaryDir dir;
    const QString path = makeInput(dir, Make(make), bytes);
    MainWindowFixture f;
    f.dialogAnswers = {path};
    QTest::mouseClick(f.control<QPushButton>("按钮_导入"), Qt::LeftButton);

    const QAbstractItemModel *model = f.window->namesModel();
    QStringList shown;
    for (int row = 0; row < model->rowCount(); ++row)
        shown.append(model->index(row, 1).data().toString());
    QCOMPARE(shown, names);
    QCOMPARE(f.control<quorava::PartsStatusBar>("状态条1")->partText(1),
             QString::number(names.size()) + u"条"_s);
    QCOMPARE(f.messages.size(), reported ? 1 : 0);
    if (reported)
        QVERIFY2(f.messages.constFirst().contains(path), qPrintable(f.messages.constFirst()));
    QVERIFY(f.control<QPushButton>("按钮_点名")->isEnabled());
}

QTEST_MAIN(TestImportBadInput)
#include "test_import_bad_input.moc"
