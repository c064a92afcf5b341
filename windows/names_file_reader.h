#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

#include <memory>

QT_BEGIN_NAMESPACE
class QFile;
QT_END_NAMESPACE

namespace quorava {

// Why a names file gave no bytes. NoFileChosen is not a failure the user hears about: no file
// was ever confirmed in the dialog.
enum class NamesFileError {
    None,
    NoFileChosen,
    Missing,
    NoPermission,
    IsDirectory,
    NotRegularFile,
    TooLarge,
    ReadFailed
};

struct NamesFileBytes {
    QByteArray bytes;
    NamesFileError error = NamesFileError::None;
    // The system's own words for a failed open or read (strerror), empty when there are none.
    QString systemReason;
};

// A names file above this size is refused unread.
inline constexpr qint64 kMaxNamesFileSize = 1LL << 30;

// Reads the whole file at `path`. Only a regular file is ever read: pipes, devices, sockets
// and folders are refused without a read, so the call never blocks on them. Writes nothing.
// An empty path gives NoFileChosen; an empty regular file gives no bytes and no error.
NamesFileBytes readNamesFile(const QString &path);

// The message for a failed read, in Chinese, naming the file and saying why; for example
// "无法读取名单文件“/x/y.txt”：文件不存在。". Empty when `read` holds no error.
QString describeNamesFileError(const QString &path, const NamesFileBytes &read);

// A names file opened for reading piece by piece, refused on the same grounds as by
// readNamesFile(), so that a large file need not be held whole.
class NamesFileStream {
public:
    explicit NamesFileStream(const QString &path);
    ~NamesFileStream();
    NamesFileStream(const NamesFileStream &) = delete;
    NamesFileStream &operator=(const NamesFileStream &) = delete;

    // None while the file can be read; otherwise why not, and nothing more is read.
    NamesFileError error() const { return m_error; }
    const QString &systemReason() const { return m_systemReason; }
    // The file's size when it was opened.
    qint64 size() const { return m_size; }

    // Reads up to `max` bytes into `buffer`, fewer only at the end of the file. Returns how many,
    // or -1 when the read failed or the file turned out larger than kMaxNamesFileSize.
    qsizetype read(char *buffer, qsizetype max);
    // Back to the first byte; false when that failed.
    bool rewind();

private:
    void open(const QString &path);
    void fail(NamesFileError error, QString systemReason = {});

    NamesFileError m_error = NamesFileError::None;
    QString m_systemReason;
    qint64 m_size = 0;
    qint64 m_position = 0;
#ifdef Q_OS_UNIX
    int m_fd = -1;
#else
    std::unique_ptr<QFile> m_file;
#endif
};

} // namespace quorava
