#include "names_text.h"

#include "windows/gb18030_pairs.h"

#include <QStringDecoder>
#include <QtDebug>

#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

namespace quorava {

namespace {

// The decoder sees the input in pieces of about this size, so that neither the file's bytes
// nor a second text-sized buffer are ever held whole.
constexpr qsizetype kPieceBytes = 64 * 1024;

enum class Encoding { Utf8, Utf16LE, Utf16BE, Gb18030 };

// Bytes in memory, read as a file is.
class MemorySource {
public:
    explicit MemorySource(QByteArrayView bytes) : m_bytes(bytes) {}
    qint64 size() const { return m_bytes.size(); }
    qsizetype read(char *buffer, qsizetype max)
    {
        const qsizetype n = std::min(max, m_bytes.size() - m_position);
        if (n > 0)
            std::memcpy(buffer, m_bytes.data() + m_position, size_t(n));
        m_position += n;
        return n;
    }
    bool rewind()
    {
        m_position = 0;
        return true;
    }

private:
    QByteArrayView m_bytes;
    qsizetype m_position = 0;
};

// Where a piece of `held` bytes may be cut, given that the bytes from `fresh` on were just read:
// after the last complete character. 0 when no character is known to be complete yet.

qsizetype utf8CleanEnd(const uchar *data, qsizetype held, qsizetype)
{
    // Before the last sequence, if it still lacks continuation bytes.
    for (qsizetype k = held - 1; k >= 0 && k >= held - 4; --k) {
        const uchar b = data[k];
        if ((b & 0xC0) == 0x80)
            continue;
        const qsizetype length = b >= 0xF0 ? 4 : b >= 0xE0 ? 3 : b >= 0xC0 ? 2 : 1;
        return k + length > held ? k : held;
    }
    return held;
}

qsizetype utf16CleanEnd(const uchar *, qsizetype held, qsizetype)
{
    return held & ~qsizetype(1);
}

qsizetype gb18030CleanEnd(const uchar *data, qsizetype held, qsizetype fresh)
{
    // What was held before has no split point, or it would have been cut there.
    for (qsizetype k = held; k > fresh; --k) {
        if (data[k - 1] < kLowestTrailByte)
            return k;
    }
    return 0;
}

// Reads `source` from where it stands to its end, or to its first zero byte when `stopAtZero`,
// and hands the bytes to `take` in pieces cut where `cleanEnd` says; the rest comes last, with
// `last` set. `take` returns false to stop early. False when a read failed.
template <typename Source, typename CleanEnd, typename Take>
bool forEachPiece(Source &source, qsizetype pieceBytes, bool stopAtZero, CleanEnd cleanEnd,
                  Take take)
{
    QByteArray buffer;
    qsizetype held = 0;
    for (bool last = false; !last;) {
        if (buffer.size() < held + pieceBytes)
            buffer.resize(held + pieceBytes);
        char *const fresh = buffer.data() + held;
        qsizetype n = source.read(fresh, pieceBytes);
        if (n < 0)
            return false;
        last = n < pieceBytes;
        if (stopAtZero && n > 0) {
            if (const void *zero = std::memchr(fresh, 0, size_t(n))) {
                n = static_cast<const char *>(zero) - fresh;
                last = true;
            }
        }
        const qsizetype freshStart = held;
        held += n;
        const auto *data = reinterpret_cast<const uchar *>(buffer.constData());
        const qsizetype cut = last ? held : cleanEnd(data, held, freshStart);
        if (cut == 0)
            continue;
        if (!take(QByteArrayView(buffer.constData(), cut), last))
            return true;
        std::memmove(buffer.data(), buffer.constData() + cut, size_t(held - cut));
        held -= cut;
    }
    return true;
}

// One string that decoded pieces are appended to, grown only if a piece needs more room
// than was planned for.
class TextBuilder {
public:
    explicit TextBuilder(qsizetype expected) : m_text(expected, Qt::Uninitialized) {}

    QChar *room(qsizetype units)
    {
        if (m_text.size() - m_used < units)
            m_text.resize(m_used + units);
        return m_text.data() + m_used;
    }
    void commit(const QChar *end) { m_used = end - m_text.constData(); }
    const QChar *begin() const { return m_text.constData(); }
    qsizetype used() const { return m_used; }
    void truncate(qsizetype used) { m_used = used; }

    QString take()
    {
        m_text.truncate(m_used);
        m_text.squeeze();
        return std::move(m_text);
    }

private:
    QString m_text;
    qsizetype m_used = 0;
};

// Qt's UTF-16 decoder passes a surrogate without its partner through; it stands for nothing.
void replaceLoneSurrogates(QString &text)
{
    const qsizetype size = text.size();
    const QChar *chars = text.constData();
    for (qsizetype i = 0; i < size; ++i) {
        if (!chars[i].isSurrogate())
            continue;
        if (chars[i].isHighSurrogate() && i + 1 < size && chars[i + 1].isLowSurrogate()) {
            ++i;
            continue;
        }
        text[i] = QChar(QChar::ReplacementCharacter);
        chars = text.constData();
    }
}

QStringDecoder decoderFor(Encoding encoding)
{
    switch (encoding) {
    case Encoding::Utf8:
        return QStringDecoder(QStringDecoder::Utf8, kNamesDecoderFlags);
    case Encoding::Utf16LE:
        return QStringDecoder(QStringDecoder::Utf16LE, kNamesDecoderFlags);
    case Encoding::Utf16BE:
        return QStringDecoder(QStringDecoder::Utf16BE, kNamesDecoderFlags);
    case Encoding::Gb18030:
        break;
    }
    QStringDecoder gb18030("GB18030", kNamesDecoderFlags);
    if (gb18030.isValid())
        return gb18030;
    // Qt without ICU: the system's code page is the best guess left (GBK on a Chinese Windows).
    qWarning("No GB18030 decoder; names file read in the system encoding");
    return QStringDecoder(QStringDecoder::System, kNamesDecoderFlags);
}

enum class Decoded { Done, NotUtf8, ReadFailed };

// Decodes the rest of `source` as `encoding` into `text`. With `utf8OrNothing`, stops at the
// first byte that is not valid UTF-8.
template <typename Source>
Decoded decodeRest(Source &source, Encoding encoding, qsizetype pieceBytes, bool utf8OrNothing,
                   TextBuilder &text)
{
    QStringDecoder decoder = decoderFor(encoding);
    const auto append = [&](QByteArrayView piece) {
        QChar *const start = text.room(decoder.requiredSpace(piece.size()));
        text.commit(decoder.appendToBuffer(start, piece));
    };

    bool read = false;
    switch (encoding) {
    case Encoding::Utf8:
        read =
            forEachPiece(source, pieceBytes, true, utf8CleanEnd, [&](QByteArrayView piece, bool) {
                append(piece);
                return !(utf8OrNothing && decoder.hasError());
            });
        if (read && utf8OrNothing && decoder.hasError())
            return Decoded::NotUtf8;
        break;
    case Encoding::Gb18030: {
        const Gb18030Pairs &pairs = Gb18030Pairs::instance();
        const auto appendGb18030 = [&](QByteArrayView piece) {
            if (pairs.isEmpty())
                return append(piece);
            QChar *const start = text.room(decoder.requiredSpace(piece.size()));
            text.commit(decodeGb18030Piece(decoder, pairs, piece, start));
        };
        read = forEachPiece(source, pieceBytes, true, gb18030CleanEnd,
                            [&](QByteArrayView piece, bool last) {
                                if (!last || uchar(piece.back()) < kLowestTrailByte) {
                                    appendGb18030(piece);
                                    return true;
                                }
                                // Qt's ICU decoder drops a sequence cut short at the end of its
                                // input instead of replacing it, so a line feed closes the last
                                // piece and comes off again.
                                QByteArray closed;
                                closed.reserve(piece.size() + 1);
                                closed.append(piece.data(), piece.size());
                                closed.append('\n');
                                const qsizetype before = text.used();
                                appendGb18030(closed);
                                if (text.used() > before && text.begin()[text.used() - 1] == u'\n')
                                    text.truncate(text.used() - 1);
                                return true;
                            });
        break;
    }
    case Encoding::Utf16LE:
    case Encoding::Utf16BE:
        read = forEachPiece(source, pieceBytes, false, utf16CleanEnd,
                            [&](QByteArrayView piece, bool last) {
                                const qsizetype before = text.used();
                                // Only the last piece can have an odd byte over. Qt's decoder
                                // drops it when it is all there is, so it is replaced here.
                                const bool oddByte = last && piece.size() % 2 != 0;
                                append(oddByte ? piece.chopped(1) : piece);
                                if (oddByte) {
                                    QChar *const end = text.room(1);
                                    *end = QChar(QChar::ReplacementCharacter);
                                    text.commit(end + 1);
                                }
                                // The text ends at the first U+0000.
                                const QChar *const from = text.begin() + before;
                                const QChar *const to = text.begin() + text.used();
                                const QChar *const zero = std::find(from, to, QChar(0));
                                if (zero == to)
                                    return true;
                                text.truncate(zero - text.begin());
                                return false;
                            });
        break;
    }
    return read ? Decoded::Done : Decoded::ReadFailed;
}

// The text of all of `source`; false when a read failed.
template <typename Source> bool decodeSource(Source &source, qsizetype pieceBytes, QString *result)
{
    char head[3];
    const qsizetype got = source.read(head, sizeof head);
    if (got < 0)
        return false;
    const QByteArrayView start(head, got);

    Encoding encoding = Encoding::Gb18030;
    qsizetype mark = 0;
    if (start.startsWith("\xEF\xBB\xBF")) {
        encoding = Encoding::Utf8;
        mark = 3;
    } else if (start.startsWith("\xFF\xFE")) {
        encoding = Encoding::Utf16LE;
        mark = 2;
    } else if (start.startsWith("\xFE\xFF")) {
        encoding = Encoding::Utf16BE;
        mark = 2;
    }
    if (!source.rewind() || source.read(head, mark) < 0)
        return false;

    // At most one UTF-16 unit per byte, half that from UTF-16; the slack covers what the
    // decoder asks for on top for one piece.
    const bool utf16 = encoding == Encoding::Utf16LE || encoding == Encoding::Utf16BE;
    const qsizetype planned = qsizetype(utf16 ? source.size() / 2 : source.size());
    TextBuilder text(planned + 2 * std::min<qsizetype>(pieceBytes, planned + 1) + 16);

    if (encoding == Encoding::Gb18030) {
        // Without a mark: UTF-8 if all of it is valid UTF-8 (pure ASCII included), else GB18030
        // from the start again.
        const Decoded asUtf8 = decodeRest(source, Encoding::Utf8, pieceBytes, true, text);
        if (asUtf8 == Decoded::ReadFailed)
            return false;
        if (asUtf8 == Decoded::Done) {
            *result = text.take();
            return true;
        }
        text.truncate(0);
        if (!source.rewind())
            return false;
    }
    if (decodeRest(source, encoding, pieceBytes, false, text) != Decoded::Done)
        return false;
    *result = text.take();
    if (utf16)
        replaceLoneSurrogates(*result);
    return true;
}

// Nothing above U+3000 is white space: most names are told apart without asking the tables.
constexpr char16_t kLastSpace = 0x3000;

bool isBlank(const QChar *begin, const QChar *end)
{
    for (const QChar *c = begin; c != end; ++c) {
        if (c->unicode() > kLastSpace || !c->isSpace())
            return false;
    }
    return true;
}

// Lines in `chars`, counting a final line without a line end; blank lines included.
qsizetype countLines(const QChar *chars, qsizetype size)
{
    if (size == 0)
        return 0;
    qsizetype ends = 0;
    for (qsizetype i = 0; i + 1 < size; ++i) {
        const char16_t c = chars[i].unicode();
        const char16_t next = chars[i + 1].unicode();
        ends += (c == u'\n') | ((c == u'\r') & (next != u'\n'));
    }
    // The last character closes the last line or belongs to it: one line either way.
    return ends + 1;
}

} // namespace

namespace detail {

QString decodeNamesText(QByteArrayView bytes, qsizetype pieceBytes)
{
    MemorySource source(bytes);
    QString text;
    decodeSource(source, std::max<qsizetype>(pieceBytes, 1), &text); // memory never fails
    return text;
}

} // namespace detail

QString decodeNamesText(QByteArrayView bytes)
{
    return detail::decodeNamesText(bytes, kPieceBytes);
}

NameList splitNames(QString text)
{
    NameList names(std::move(text));
    const QChar *const chars = names.text().constData();
    const qsizetype size = names.text().size();
    names.reserve(countLines(chars, size));

    const auto addLine = [&](qsizetype start, qsizetype end) {
        if (!isBlank(chars + start, chars + end))
            names.append(start, end - start);
    };
    qsizetype start = 0;
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t c = chars[i].unicode();
        if (c > u'\r' || (c != u'\n' && c != u'\r'))
            continue;
        addLine(start, i);
        if (c == u'\r' && i + 1 < size && chars[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < size)
        addLine(start, size);
    return names;
}

LoadedNames loadNamesFile(const QString &path)
{
    LoadedNames loaded;
    NamesFileStream file(path);
    if (file.error() == NamesFileError::None) {
        QString text;
        if (decodeSource(file, kPieceBytes, &text))
            loaded.text = std::move(text);
    }
    loaded.read.error = file.error();
    loaded.read.systemReason = file.systemReason();
    loaded.names = splitNames(loaded.text);
    return loaded;
}

} // namespace quorava
