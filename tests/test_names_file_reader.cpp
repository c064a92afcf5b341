#include "windows/names_file_reader.h"
#include "windows/names_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <chrono>
#include <fcntl.h>
#include <future>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

using namespace Qt::Literals::StringLiterals;
using quorava::NamesFileBytes;
using quorava::NamesFileError;

namespace quorava {
char *toString(NamesFileError error)
{
    switch (error) {
    case NamesFileError::None:
        return qstrdup("None");
    case NamesFileError::NoFileChosen:
        return qstrdup("NoFileChosen");
    case NamesFileError::Missing:
        return qstrdup("Missing");
    case NamesFileError::NoPermission:
        return qstrdup("NoPermission");
    case NamesFileError::IsDirectory:
        return qstrdup("IsDirectory");
    case NamesFileError::NotRegularFile:
        return qstrdup("NotRegularFile");
    case NamesFileError::TooLarge:
        return qstrdup("TooLarge");
    case NamesFileError::ReadFailed:
        return qstrdup("ReadFailed");
    }
    return qstrdup("?");
}
} // namespace quorava

namespace {

const QByteArray kNames = "\xD5\xC5\xC8\xFD\r\n\xC0\xEE\xCB\xC4\r\n"_ba; // 张三, 李四 in GBK

// What a row puts at the path it reads.
enum class Setup {
    NoPath,
    Nothing,
    NothingOnTheWay,
    ThroughAFile,
    Deleted,
    EmptyFile,
    NamesFile,
    LinkToNames,
    DanglingLink,
    Folder,
    Fifo,
    Socket,
    DevZero,
    LinkToDevZero,
    SparseOverLimit,
    Unreadable,
    InUnreadableFolder,
};

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(file.errorString()));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Makes what `setup` names inside `dir` and returns the path to read.
QString prepare(Setup setup, const QTemporaryDir &dir)
{
    const QString names = dir.filePath(u"names.txt"_s);
    const QString path = dir.filePath(u"target.txt"_s);
    const QByteArray nativePath = QFile::encodeName(path);
    switch (setup) {
    case Setup::NoPath:
        return {};
    case Setup::Nothing:
        return path;
    case Setup::NothingOnTheWay:
        return dir.filePath(u"no-folder/names.txt"_s);
    case Setup::ThroughAFile:
        writeFile(names, kNames);
        return names + u"/names.txt"_s;
    case Setup::Deleted:
        writeFile(path, kNames);
        QFile::remove(path);
        return path;
    case Setup::EmptyFile:
        writeFile(path, {});
        return path;
    case Setup::NamesFile:
        writeFile(path, kNames);
        return path;
    case Setup::LinkToNames:
        writeFile(names, kNames);
        QFile::link(names, path);
        return path;
    case Setup::DanglingLink:
        QFile::link(names, path);
        return path;
    case Setup::Folder:
        QDir(dir.path()).mkdir(u"target.txt"_s);
        return path;
    case Setup::Fifo:
        if (::mkfifo(nativePath.constData(), 0600) != 0)
            qWarning("mkfifo failed");
        return path;
    case Setup::Socket: {
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        qstrncpy(address.sun_path, nativePath.constData(), sizeof address.sun_path);
        if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0)
            qWarning("bind failed");
        ::close(fd); // the socket file stays
        return path;
    }
    case Setup::DevZero:
        return u"/dev/zero"_s;
    case Setup::LinkToDevZero:
        QFile::link(u"/dev/zero"_s, path);
        return path;
    case Setup::SparseOverLimit: {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || !file.resize(quorava::kMaxNamesFileSize + 1))
            qWarning("could not make the sparse file");
        return path;
    }
    case Setup::Unreadable:
        writeFile(path, kNames);
        QFile::setPermissions(path, {});
        return path;
    case Setup::InUnreadableFolder: {
        QDir(dir.path()).mkdir(u"locked"_s);
        const QString inside = dir.filePath(u"locked/names.txt"_s);
        writeFile(inside, kNames);
        QFile::setPermissions(dir.filePath(u"locked"_s), {});
        return inside;
    }
    }
    return path;
}

// Runs `read` (which reads `path`) and fails, instead of hanging the test, if it does not come
// back.
template <typename Read> auto returning(const QString &path, Read read) -> decltype(read())
{
    using Result = decltype(read());
    std::packaged_task<Result()> task(read);
    std::future<Result> result = task.get_future();
    std::thread reader(std::move(task));
    if (result.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        // Stuck opening or reading a pipe: a writer that leaves at once gives it its end.
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        reader.join();
        qWarning("the read blocked");
        return {};
    }
    reader.join();
    return result.get();
}

// The error an unprivileged user gets reading `path`, from a child process that gives up
// root first; -1 when that is not possible here.
int errorForUnprivilegedUser(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        constexpr uid_t kNobody = 65534;
        if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            ::_exit(100);
        ::_exit(int(quorava::readNamesFile(QFile::decodeName(native)).error));
    }
    int status = 0;
    if (::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    const int code = WEXITSTATUS(status);
    return code == 100 ? -1 : code;
}

} // namespace

class TestNamesFileReader : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reads_data();
    void reads();
    void readsFilesThatReportNoSize();
    void describesEachError_data();
    void describesEachError();
    void describesNothingWithoutError();
    void loadsThroughTheWholePipeline_data();
    void loadsThroughTheWholePipeline();
    void loadsLargeFilesAsTheirWholeBytesDecode_data();
    void loadsLargeFilesAsTheirWholeBytesDecode();
};

void TestNamesFileReader::reads_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<NamesFileError>("error");
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("no file chosen")
        << Setup::NoPath << NamesFileError::NoFileChosen << QByteArray();
    QTest::newRow("missing") << Setup::Nothing << NamesFileError::Missing << QByteArray();
    QTest::newRow("missing folder on the way")
        << Setup::NothingOnTheWay << NamesFileError::Missing << QByteArray();
    QTest::newRow("a file on the way")
        << Setup::ThroughAFile << NamesFileError::Missing << QByteArray();
    QTest::newRow("deleted") << Setup::Deleted << NamesFileError::Missing << QByteArray();
    QTest::newRow("dangling link")
        << Setup::DanglingLink << NamesFileError::Missing << QByteArray();
    QTest::newRow("empty file") << Setup::EmptyFile << NamesFileError::None << QByteArray();
    QTest::newRow("names file") << Setup::NamesFile << NamesFileError::None << kNames;
    QTest::newRow("link to a names file") << Setup::LinkToNames << NamesFileError::None << kNames;
    QTest::newRow("folder") << Setup::Folder << NamesFileError::IsDirectory << QByteArray();
    QTest::newRow("FIFO") << Setup::Fifo << NamesFileError::NotRegularFile << QByteArray();
    QTest::newRow("socket") << Setup::Socket << NamesFileError::NotRegularFile << QByteArray();
    QTest::newRow("/dev/zero") << Setup::DevZero << NamesFileError::NotRegularFile << QByteArray();
    QTest::newRow("link to /dev/zero")
        << Setup::LinkToDevZero << NamesFileError::NotRegularFile << QByteArray();
    QTest::newRow("sparse file just over 1 GiB")
        << Setup::SparseOverLimit << NamesFileError::TooLarge << QByteArray();
    // Root reads these regardless of the permission bits; an unprivileged child checks the
    // refusal then.
    QTest::newRow("no read permission")
        << Setup::Unreadable << NamesFileError::NoPermission << kNames;
    QTest::newRow("in a folder without permission")
        << Setup::InUnreadableFolder << NamesFileError::NoPermission << kNames;
}

void TestNamesFileReader::reads()
{
    QFETCH(Setup, setup);
    QFETCH(NamesFileError, error);
    QFETCH(QByteArray, bytes);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = prepare(setup, dir);
    // Give the folder back its permissions, so that it can be removed.
    const auto restore = qScopeGuard([&] {
        if (setup == Setup::InUnreadableFolder)
            QFile::setPermissions(dir.filePath(u"locked"_s), QFileDevice::ReadOwner |
                                                                 QFileDevice::WriteOwner |
                                                                 QFileDevice::ExeOwner);
    });
    if (QTest::currentTestFailed())
        return;

    const NamesFileBytes read = returning(path, [path] { return quorava::readNamesFile(path); });
    if (error == NamesFileError::NoPermission) {
        if (::geteuid() == 0) {
            QCOMPARE(read.error, NamesFileError::None);
            QCOMPARE(read.bytes, bytes);
            QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                  QFileDevice::ExeOwner | QFileDevice::ExeOther);
            const int unprivileged = errorForUnprivilegedUser(path);
            if (unprivileged < 0)
                QSKIP("running as root and cannot drop to an unprivileged user");
            QCOMPARE(NamesFileError(unprivileged), error);
        } else {
            QCOMPARE(read.error, error);
            QVERIFY(read.bytes.isEmpty());
        }
    } else {
        QCOMPARE(read.error, error);
        QCOMPARE(read.bytes, bytes);
    }
    // Nothing was written: the path names what it named before.
    if (setup == Setup::Nothing || setup == Setup::Deleted)
        QVERIFY(!QFileInfo::exists(path));
    if (setup == Setup::Folder)
        QVERIFY(QFileInfo(path).isDir());
    if (setup == Setup::NamesFile)
        QCOMPARE(QFileInfo(path).size(), kNames.size());
}

// procfs files say they are empty yet have content: the read goes on to the end.
void TestNamesFileReader::readsFilesThatReportNoSize()
{
    const QString path = u"/proc/self/status"_s;
    if (QFileInfo(path).size() != 0)
        QSKIP("no procfs file reporting size 0 here");
    const NamesFileBytes read = quorava::readNamesFile(path);
    QCOMPARE(read.error, NamesFileError::None);
    QVERIFY(read.bytes.contains("Pid:"));
}

void TestNamesFileReader::describesEachError_data()
{
    QTest::addColumn<NamesFileError>("error");
    QTest::addColumn<QString>("systemReason");
    QTest::addColumn<QString>("reason");

    QTest::newRow("missing") << NamesFileError::Missing << u"No such file or directory"_s
                             << u"文件不存在。"_s;
    QTest::newRow("no permission")
        << NamesFileError::NoPermission << QString() << u"没有读取这个文件的权限。"_s;
    QTest::newRow("folder") << NamesFileError::IsDirectory << QString()
                            << u"这是一个文件夹，不是文件。"_s;
    QTest::newRow("not a regular file")
        << NamesFileError::NotRegularFile << QString()
        << u"这不是普通文件（可能是管道、设备或套接字），不能读取。"_s;
    QTest::newRow("too large") << NamesFileError::TooLarge << QString()
                               << u"文件太大，超过了 1 GiB 的上限。"_s;
    QTest::newRow("read failed with the system's reason")
        << NamesFileError::ReadFailed << u"Input/output error"_s
        << u"读取时出错（Input/output error）。"_s;
    QTest::newRow("read failed without a reason")
        << NamesFileError::ReadFailed << QString() << u"读取时出错。"_s;
}

void TestNamesFileReader::describesEachError()
{
    QFETCH(NamesFileError, error);
    QFETCH(QString, systemReason);
    QFETCH(QString, reason);

    NamesFileBytes read;
    read.error = error;
    read.systemReason = systemReason;
    const QString path = u"/home/老师/名单 1.txt"_s;
    QCOMPARE(quorava::describeNamesFileError(path, read),
             u"无法读取名单文件“/home/老师/名单 1.txt”："_s + reason);
}

void TestNamesFileReader::describesNothingWithoutError()
{
    QVERIFY(quorava::describeNamesFileError(u"/x.txt"_s, NamesFileBytes{}).isEmpty());
    NamesFileBytes none;
    none.error = NamesFileError::NoFileChosen;
    QCOMPARE(quorava::describeNamesFileError({}, none), u"没有选择名单文件。"_s);
}

void TestNamesFileReader::loadsThroughTheWholePipeline_data()
{
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<NamesFileError>("error");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("names file") << Setup::NamesFile << NamesFileError::None
                                << QStringList{u"张三"_s, u"李四"_s};
    QTest::newRow("empty file") << Setup::EmptyFile << NamesFileError::None << QStringList();
    QTest::newRow("missing") << Setup::Nothing << NamesFileError::Missing << QStringList();
    QTest::newRow("FIFO") << Setup::Fifo << NamesFileError::NotRegularFile << QStringList();
    QTest::newRow("no file chosen")
        << Setup::NoPath << NamesFileError::NoFileChosen << QStringList();
}

void TestNamesFileReader::loadsThroughTheWholePipeline()
{
    QFETCH(Setup, setup);
    QFETCH(NamesFileError, error);
    QFETCH(QStringList, names);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = prepare(setup, dir);
    const quorava::LoadedNames loaded =
        returning(path, [path] { return quorava::loadNamesFile(path); });
    QCOMPARE(loaded.read.error, error);
    QVERIFY2(loaded.read.bytes.isEmpty(), "the bytes are released once decoded");
    QStringList got;
    for (qsizetype p = 1; p <= loaded.names.count(); ++p)
        got.append(loaded.names.displayName(p));
    QCOMPARE(got, names);
    QCOMPARE(loaded.names.text(), loaded.text);
    if (!names.isEmpty())
        QCOMPARE(loaded.text, u"张三\r\n李四\r\n"_s);
}

// Files of many pieces, read piece by piece by the import, give the text their whole bytes do.
void TestNamesFileReader::loadsLargeFilesAsTheirWholeBytesDecode_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QByteArray gbk;
    QByteArray utf8;
    QString text;
    for (int i = 0; i < 30'000; ++i) {
        // Line ends of every kind, a blank line now and then, a bad byte in a few names.
        const QByteArray end = i % 3 == 0 ? "\r\n"_ba : i % 3 == 1 ? "\n"_ba : "\r"_ba;
        gbk += "\xD5\xC5"_ba + QByteArray::number(i) + (i % 1000 == 7 ? "\xFF"_ba : ""_ba) + end;
        utf8 += "\xE5\xBC\xA0"_ba + QByteArray::number(i) + (i % 500 == 0 ? "\n"_ba : ""_ba) + end;
        text += u"张"_s + QString::number(i) + u"\r\n"_s;
    }
    QByteArray utf16le = "\xFF\xFE"_ba;
    for (QChar c : std::as_const(text)) {
        utf16le.append(char(c.unicode() & 0xFF));
        utf16le.append(char(c.unicode() >> 8));
    }

    QTest::newRow("GBK") << gbk;
    QTest::newRow("GBK ending in a lone lead byte") << gbk + "\x81"_ba;
    QTest::newRow("GBK with a zero byte far in") << gbk + "\0"_ba + gbk;
    QTest::newRow("UTF-8") << utf8;
    QTest::newRow("UTF-8 with a mark") << "\xEF\xBB\xBF"_ba + utf8;
    QTest::newRow("UTF-8 with one bad byte at the very end") << utf8 + "\xE5"_ba;
    QTest::newRow("UTF-16 LE, odd length") << utf16le + "A"_ba;
    QTest::newRow("UTF-16 LE with U+0000 far in") << utf16le + "\0\0"_ba + utf16le;
}

void TestNamesFileReader::loadsLargeFilesAsTheirWholeBytesDecode()
{
    QFETCH(QByteArray, bytes);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath(u"names.txt"_s);
    writeFile(path, bytes);

    const quorava::LoadedNames loaded = quorava::loadNamesFile(path);
    QCOMPARE(loaded.read.error, NamesFileError::None);
    const QString whole = quorava::decodeNamesText(quorava::readNamesFile(path).bytes);
    QVERIFY(!whole.isEmpty());
    QVERIFY2(loaded.text == whole, "the piece-wise text differs from the whole decoding");
    QCOMPARE(loaded.names.count(), quorava::splitNames(whole).count());
}

QTEST_GUILESS_MAIN(TestNamesFileReader)
#include "test_names_file_reader.moc"
