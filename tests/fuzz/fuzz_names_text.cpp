// libFuzzer target: any bytes, decoded as a names file and split into names. The first byte
// picks the piece size of a second, piece-wise decode; the rest is the file. Whatever the
// bytes, the checks below must hold; a failed one aborts with what went wrong.
#include "windows/names_text.h"

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>
#include <QStringList>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace Qt::Literals::StringLiterals;

namespace {

void check(bool ok, const char *what, qsizetype pieceBytes)
{
    if (ok)
        return;
    std::fprintf(stderr, "names text: %s (pieces of %lld bytes)\n", what,
                 static_cast<long long>(pieceBytes));
    std::fflush(stderr);
    std::abort();
}

bool isLineEnd(QChar c)
{
    return c == u'\n' || c == u'\r';
}

qsizetype count(QStringView text, QChar c)
{
    return std::count(text.begin(), text.end(), c);
}

QByteArrayView beforeZero(QByteArrayView bytes)
{
    const qsizetype zero = bytes.indexOf('\0');
    return zero < 0 ? bytes : bytes.first(zero);
}

// A surrogate that is not half of a pair stands for nothing.
QString replaceLoneSurrogates(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

// The units before the first U+0000; an odd byte at the very end is one bad character.
QString utf16Text(QByteArrayView body, bool bigEndian)
{
    QString text;
    const auto *b = reinterpret_cast<const uchar *>(body.data());
    qsizetype i = 0;
    for (; i + 1 < body.size(); i += 2) {
        const auto unit = char16_t(bigEndian ? b[i] << 8 | b[i + 1] : b[i + 1] << 8 | b[i]);
        if (unit == 0)
            return replaceLoneSurrogates(text);
        text.append(QChar(unit));
    }
    if (i < body.size())
        text.append(QChar(QChar::ReplacementCharacter));
    return replaceLoneSurrogates(text);
}

QString utf8Text(QByteArrayView bytes)
{
    static QStringDecoder decoder(QStringDecoder::Utf8,
                                  QStringDecoder::Flag::Stateless |
                                      QStringDecoder::Flag::ConvertInitialBom);
    return decoder.decode(bytes);
}

// ICU alone, all at once; a line feed closes the text, so that a character cut short at its
// end is replaced rather than dropped, and comes off again.
QString gb18030Text(QByteArrayView bytes)
{
    static QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless |
                                                 QStringDecoder::Flag::ConvertInitialBom);
    QString text = decoder.decode(QByteArray(bytes.toByteArray() + '\n'));
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text;
}

// What the text must be, worked out the plain way.
QString expectedText(QByteArrayView bytes)
{
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return utf8Text(beforeZero(bytes.sliced(3)));
    if (bytes.startsWith("\xFF\xFE"))
        return utf16Text(bytes.sliced(2), false);
    if (bytes.startsWith("\xFE\xFF"))
        return utf16Text(bytes.sliced(2), true);
    const QByteArrayView text = beforeZero(bytes);
    return text.isValidUtf8() ? utf8Text(text) : gb18030Text(text);
}

// The names, worked out the plain way: every line end made a line feed, every line that is
// not only white space.
QStringList expectedNames(const QString &text)
{
    QString lines = text;
    lines.replace(u"\r\n"_s, u"\n"_s).replace(u'\r', u'\n');
    QStringList names;
    for (const QString &line : lines.split(u'\n')) {
        if (!std::all_of(line.begin(), line.end(), [](QChar c) { return c.isSpace(); }))
            names.append(line);
    }
    return names;
}

void checkText(QByteArrayView bytes, const QString &text, qsizetype pieceBytes)
{
    check(text == quorava::detail::decodeNamesText(bytes, pieceBytes),
          "decoding piece by piece changes the text", pieceBytes);
    check(text == expectedText(bytes), "text differs from decoding all at once", pieceBytes);
    check(!text.contains(QChar(0)), "text holds U+0000", pieceBytes);
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else
            check(!text[i].isSurrogate(), "text holds a lone surrogate", pieceBytes);
    }
    if (!bytes.startsWith("\xFF\xFE") && !bytes.startsWith("\xFE\xFF")) {
        // Each line end byte stays a line end, whatever bad bytes stand next to it.
        const QByteArrayView read = beforeZero(bytes);
        check(count(text, u'\n') == read.count('\n'), "line feeds lost or added", pieceBytes);
        check(count(text, u'\r') == read.count('\r'), "carriage returns lost or added", pieceBytes);
    }
}

void checkNames(const QString &text, qsizetype pieceBytes)
{
    const quorava::NameList names = quorava::splitNames(text);
    check(names.text().constData() == text.constData() || text.isEmpty(),
          "the names do not share the text", pieceBytes);
    const QStringList expected = expectedNames(text);
    check(names.count() == expected.size(), "wrong number of names", pieceBytes);

    const QChar *const begin = text.constData();
    const QChar *const end = begin + text.size();
    const QChar *previousEnd = begin;
    for (qsizetype p = 1; p <= names.count(); ++p) {
        const QStringView name = names.nameView(p);
        check(names.name(p).has_value(), "a name is none", pieceBytes);
        check(!name.isEmpty(), "empty name", pieceBytes);
        check(!std::all_of(name.begin(), name.end(), [](QChar c) { return c.isSpace(); }),
              "white-space name", pieceBytes);
        check(std::none_of(name.begin(), name.end(), isLineEnd), "name holds a line end",
              pieceBytes);
        // In order, each a whole line of the text.
        check(name.data() >= previousEnd && name.data() + name.size() <= end,
              "name out of order or outside the text", pieceBytes);
        check(name.data() == begin || isLineEnd(name.data()[-1]), "name starts inside a line",
              pieceBytes);
        check(name.data() + name.size() == end || isLineEnd(name.data()[name.size()]),
              "name ends inside a line", pieceBytes);
        check(name == expected[p - 1], "name differs from its line", pieceBytes);
        previousEnd = name.data() + name.size();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const qsizetype pieceBytes = 1 + (data[0] & 0x3F);
    const QByteArrayView bytes(data + 1, qsizetype(size - 1));

    const QString text = quorava::decodeNamesText(bytes);
    checkText(bytes, text, pieceBytes);
    checkNames(text, pieceBytes);
    return 0;
}
