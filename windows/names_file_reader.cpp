#include "names_file_reader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <utility>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {

NamesFileBytes failure(NamesFileError error, QString systemReason = {})
{
    NamesFileBytes result;
    result.error = error;
    result.systemReason = std::move(systemReason);
    return result;
}

#ifdef Q_OS_UNIX

NamesFileError errorForErrno(int err)
{
    switch (err) {
    case EACCES:
    case EPERM:
        return NamesFileError::NoPermission;
    case ENOENT:
    case ENOTDIR:
        return NamesFileError::Missing;
    case EISDIR:
        return NamesFileError::IsDirectory;
    default:
        return NamesFileError::ReadFailed;
    }
}

// None for a regular file of acceptable size, else why it is refused.
NamesFileError refusal(const struct stat &st)
{
    if (S_ISDIR(st.st_mode))
        return NamesFileError::IsDirectory;
    if (!S_ISREG(st.st_mode))
        return NamesFileError::NotRegularFile;
    if (st.st_size > kMaxNamesFileSize)
        return NamesFileError::TooLarge;
    return NamesFileError::None;
}

#endif

} // namespace

NamesFileStream::NamesFileStream(const QString &path)
{
    open(path);
}

#ifdef Q_OS_UNIX

void NamesFileStream::open(const QString &path)
{
    if (path.isEmpty())
        return fail(NamesFileError::NoFileChosen);
    const QByteArray native = QFile::encodeName(path);
    if (native.contains('\0'))
        return fail(NamesFileError::Missing);

    // Look before opening: a pipe or a device is never opened at all.
    struct stat st;
    if (::stat(native.constData(), &st) != 0)
        return fail(errorForErrno(errno), qt_error_string(errno));
    if (const NamesFileError why = refusal(st); why != NamesFileError::None)
        return fail(why);

    // O_NONBLOCK: should the path have been swapped for a pipe since, opening it cannot hang.
    do {
        m_fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    } while (m_fd < 0 && errno == EINTR);
    if (m_fd < 0)
        return fail(errorForErrno(errno), qt_error_string(errno));

    // What was opened is what counts, whatever the path names now.
    if (::fstat(m_fd, &st) != 0)
        return fail(errorForErrno(errno), qt_error_string(errno));
    if (const NamesFileError why = refusal(st); why != NamesFileError::None)
        return fail(why);
    m_size = st.st_size;
}

NamesFileStream::~NamesFileStream()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

void NamesFileStream::fail(NamesFileError error, QString systemReason)
{
    m_error = error;
    m_systemReason = std::move(systemReason);
    if (m_fd >= 0) {
        ::close(m_fd);
        m_fd = -1;
    }
}

qsizetype NamesFileStream::read(char *buffer, qsizetype max)
{
    if (m_error != NamesFileError::None)
        return -1;
    // One byte past the limit is asked for, to tell a file of exactly the limit from a larger one.
    max = qsizetype(std::min<qint64>(max, kMaxNamesFileSize + 1 - m_position));
    qsizetype got = 0;
    while (got < max) {
        const ssize_t n = ::read(m_fd, buffer + got, size_t(max - got));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            fail(NamesFileError::ReadFailed, qt_error_string(errno));
            return -1;
        }
        if (n == 0)
            break;
        got += n;
    }
    m_position += got;
    if (m_position > kMaxNamesFileSize) {
        fail(NamesFileError::TooLarge); // it grew while being read
        return -1;
    }
    return got;
}

bool NamesFileStream::rewind()
{
    if (m_error != NamesFileError::None)
        return false;
    if (::lseek(m_fd, 0, SEEK_SET) != 0) {
        fail(NamesFileError::ReadFailed, qt_error_string(errno));
        return false;
    }
    m_position = 0;
    return true;
}

#else

void NamesFileStream::open(const QString &path)
{
    if (path.isEmpty())
        return fail(NamesFileError::NoFileChosen);
    const QFileInfo info(path);
    if (!info.exists())
        return fail(NamesFileError::Missing);
    if (info.isDir())
        return fail(NamesFileError::IsDirectory);
    if (!info.isFile())
        return fail(NamesFileError::NotRegularFile);
    if (info.size() > kMaxNamesFileSize)
        return fail(NamesFileError::TooLarge);

    m_file = std::make_unique<QFile>(path);
    if (!m_file->open(QIODevice::ReadOnly)) {
        const NamesFileError error = m_file->error() == QFileDevice::PermissionsError
                                         ? NamesFileError::NoPermission
                                         : NamesFileError::ReadFailed;
        return fail(error, m_file->errorString());
    }
    m_size = m_file->size();
}

NamesFileStream::~NamesFileStream() = default;

void NamesFileStream::fail(NamesFileError error, QString systemReason)
{
    m_error = error;
    m_systemReason = std::move(systemReason);
    m_file.reset();
}

qsizetype NamesFileStream::read(char *buffer, qsizetype max)
{
    if (m_error != NamesFileError::None)
        return -1;
    max = qsizetype(std::min<qint64>(max, kMaxNamesFileSize + 1 - m_position));
    qsizetype got = 0;
    while (got < max) {
        const qint64 n = m_file->read(buffer + got, max - got);
        if (n < 0) {
            fail(NamesFileError::ReadFailed, m_file->errorString());
            return -1;
        }
        if (n == 0)
            break;
        got += qsizetype(n);
    }
    m_position += got;
    if (m_position > kMaxNamesFileSize) {
        fail(NamesFileError::TooLarge);
        return -1;
    }
    return got;
}

bool NamesFileStream::rewind()
{
    if (m_error != NamesFileError::None)
        return false;
    if (!m_file->seek(0)) {
        fail(NamesFileError::ReadFailed, m_file->errorString());
        return false;
    }
    m_position = 0;
    return true;
}

#endif

NamesFileBytes readNamesFile(const QString &path)
{
    NamesFileStream file(path);
    if (file.error() != NamesFileError::None)
        return failure(file.error(), file.systemReason());

    NamesFileBytes result;
    result.bytes = QByteArray(qsizetype(file.size()), Qt::Uninitialized);
    const qsizetype got = file.read(result.bytes.data(), result.bytes.size());
    if (got < 0)
        return failure(file.error(), file.systemReason());
    result.bytes.truncate(got);

    // Read on to the end: the file may have grown since it was opened, and some files
    // (procfs) report no size at all.
    if (got == qsizetype(file.size())) {
        char chunk[64 * 1024];
        for (;;) {
            const qsizetype n = file.read(chunk, sizeof chunk);
            if (n < 0)
                return failure(file.error(), file.systemReason());
            if (n == 0)
                break;
            result.bytes.append(chunk, n);
        }
    }
    return result;
}

QString describeNamesFileError(const QString &path, const NamesFileBytes &read)
{
    QString why;
    switch (read.error) {
    case NamesFileError::None:
        return {};
    case NamesFileError::NoFileChosen:
        return u"没有选择名单文件。"_s;
    case NamesFileError::Missing:
        why = u"文件不存在。"_s;
        break;
    case NamesFileError::NoPermission:
        why = u"没有读取这个文件的权限。"_s;
        break;
    case NamesFileError::IsDirectory:
        why = u"这是一个文件夹，不是文件。"_s;
        break;
    case NamesFileError::NotRegularFile:
        why = u"这不是普通文件（可能是管道、设备或套接字），不能读取。"_s;
        break;
    case NamesFileError::TooLarge:
        why = u"文件太大，超过了 1 GiB 的上限。"_s;
        break;
    case NamesFileError::ReadFailed:
        why = read.systemReason.isEmpty() ? u"读取时出错。"_s
                                          : u"读取时出错（"_s + read.systemReason + u"）。"_s;
        break;
    }
    return u"无法读取名单文件“"_s + QDir::toNativeSeparators(path) + u"”："_s + why;
}

} // namespace quorava
