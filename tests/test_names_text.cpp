#include "windows/names_text.h"

#include <QStringDecoder>
#include <QTemporaryFile>
#include <QTest>

#include <iterator>
#include <random>

using namespace Qt::Literals::StringLiterals;
using quorava::decodeNamesText;
using quorava::NameList;
using quorava::splitNames;

namespace {

// The same names in the encodings a names file comes in.
const QByteArray kZhangSanGbk = "\xD5\xC5\xC8\xFD"_ba; // 张三
const QByteArray kLiSiGbk = "\xC0\xEE\xCB\xC4"_ba;     // 李四
const QByteArray kZhangGbk = "\xD5\xC5"_ba;            // 张
const QByteArray kZhangSanUtf8 = "\xE5\xBC\xA0\xE4\xB8\x89"_ba;
const QByteArray kLiSiUtf8 = "\xE6\x9D\x8E\xE5\x9B\x9B"_ba;
const QByteArray kIdeographicSpaceGbk = "\xA1\xA1"_ba;
const QByteArray kIdeographicSpaceUtf8 = "\xE3\x80\x80"_ba;
const QByteArray kUtf8Mark = "\xEF\xBB\xBF"_ba;
const QByteArray kCrLf = "\r\n"_ba;

QByteArray utf16(QStringView text, bool bigEndian)
{
    QByteArray bytes;
    for (QChar c : text) {
        const char high = char(c.unicode() >> 8);
        const char low = char(c.unicode() & 0xFF);
        bytes.append(bigEndian ? high : low);
        bytes.append(bigEndian ? low : high);
    }
    return bytes;
}

QByteArray utf16le(QStringView text)
{
    return "\xFF\xFE"_ba + utf16(text, false);
}

QByteArray utf16be(QStringView text)
{
    return "\xFE\xFF"_ba + utf16(text, true);
}

// Piece sizes that cut characters, marks and line ends at every place.
constexpr qsizetype kPieceSizes[] = {1, 2, 3, 4, 5, 7, 64};

// ICU alone, the reference for GB18030: the bytes before the first zero byte at once, closed
// by a line feed that comes off again.
QString icuGb18030(const QByteArray &bytes)
{
    QStringDecoder decoder("GB18030", QStringDecoder::Flag::Stateless);
    const qsizetype zero = bytes.indexOf('\0');
    QString text = decoder.decode(QByteArray((zero < 0 ? bytes : bytes.first(zero)) + "\n"_ba));
    text.chop(1);
    return text;
}

QStringList namesOf(const NameList &list)
{
    QStringList names;
    for (qsizetype p = 1; p <= list.count(); ++p)
        names.append(list.displayName(p));
    return names;
}

} // namespace

class TestNamesText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodesText_data();
    void decodesText();
    void splitsIntoNames_data();
    void splitsIntoNames();
    void unclosedLastLineDecodesAsIfClosed_data();
    void unclosedLastLineDecodesAsIfClosed();
    void everyTwoByteCharacterDecodesAsIcuDoes();
    void randomBytesDecodeAsIcuDoes();
    void randomBytesAreUtf8ExactlyWhenValid();
    void blankMeansWhiteSpaceForEveryCharacter();
    void namesAreSpansOfTheText();
    void splitsTextWithoutLineEnds_data();
    void splitsTextWithoutLineEnds();
};

void TestNamesText::decodesText_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("text");

    QTest::newRow("nothing") << QByteArray() << QString();
    QTest::newRow("GBK keeps its line ends")
        << kZhangSanGbk + kCrLf + kLiSiGbk << u"张三\r\n李四"_s;
    QTest::newRow("ASCII") << "Tom\r\nAnn\r\n"_ba << u"Tom\r\nAnn\r\n"_s;
    QTest::newRow("UTF-8 without mark") << kZhangSanUtf8 + "\n"_ba + kLiSiUtf8 << u"张三\n李四"_s;
    QTest::newRow("UTF-8 mark dropped") << kUtf8Mark + kZhangSanUtf8 << u"张三"_s;
    QTest::newRow("only the first UTF-8 mark dropped")
        << kUtf8Mark + kUtf8Mark + "A"_ba << u"\uFEFFA"_s;
    QTest::newRow("UTF-8 mark alone") << kUtf8Mark << QString();
    QTest::newRow("after a UTF-8 mark, bad bytes stay UTF-8") << kUtf8Mark + "A\xFF"
                                                                             "B"_ba
                                                              << u"A\uFFFDB"_s;
    QTest::newRow("UTF-8 mark, then zero byte") << kUtf8Mark + "A\0B"_ba << u"A"_s;

    QTest::newRow("UTF-16 LE") << utf16le(u"张三\r\n李四\r\n") << u"张三\r\n李四\r\n"_s;
    QTest::newRow("UTF-16 BE") << utf16be(u"张三\r\n李四\r\n") << u"张三\r\n李四\r\n"_s;
    QTest::newRow("UTF-16 LE ends at U+0000")
        << utf16le(u"Tom\r\n") + "\0\0"_ba + utf16(u"Ann", false) << u"Tom\r\n"_s;
    QTest::newRow("UTF-16 BE ends at U+0000")
        << utf16be(u"Tom") + "\0\0"_ba + utf16(u"Ann", true) << u"Tom"_s;
    QTest::newRow("UTF-16 zero bytes inside characters")
        << utf16le(u"\u0100A\u4E00") << u"\u0100A\u4E00"_s;
    QTest::newRow("UTF-16 surrogate pair kept") << utf16be(u"\U00020000") << u"\U00020000"_s;
    QTest::newRow("UTF-16 lone high surrogate")
        << "\xFF\xFE\x00\xD8"_ba + utf16(u"A", false) << u"\uFFFDA"_s;
    QTest::newRow("UTF-16 lone low surrogate at the end")
        << utf16be(u"A") + "\xDC\x00"_ba << u"A\uFFFD"_s;
    QTest::newRow("UTF-16 odd last byte") << utf16le(u"AB") + "C"_ba << u"AB\uFFFD"_s;
    QTest::newRow("UTF-16 mark alone") << "\xFE\xFF"_ba << QString();

    QTest::newRow("zero byte ends the text") << "Tom\r\n\0Ann"_ba << u"Tom\r\n"_s;
    QTest::newRow("zero byte first") << "\0Tom"_ba << QString();
    QTest::newRow("UTF-16 without a mark ends at its first zero byte")
        << utf16(u"Tom\r\nAnn", false) << u"T"_s;

    QTest::newRow("valid UTF-8 is read as UTF-8, not GBK") << kZhangSanUtf8 << u"张三"_s;
    QTest::newRow("one bad byte makes the whole file GB18030")
        << kZhangSanUtf8 + kCrLf + "\xFF"_ba << u"寮犱笁\r\n\uFFFD"_s;
    QTest::newRow("GB18030 four-byte character in the BMP")
        << "\x82\x37\xCF\x35"_ba + kZhangGbk << u"가张"_s;
    QTest::newRow("GB18030 four-byte character beyond the BMP")
        << "\x95\x32\x82\x36"_ba + kZhangGbk << u"\U00020000张"_s;
    QTest::newRow("GB18030 two-byte euro sign") << "\xA2\xE3"_ba << u"€"_s;
    QTest::newRow("GB18030 undefined byte 0xFF")
        << kZhangGbk + "\xFF"_ba + kZhangGbk << u"张\uFFFD张"_s;
    QTest::newRow("GB18030 lone lead byte at the end") << kZhangGbk + "\x81"_ba << u"张\uFFFD"_s;
    QTest::newRow("GB18030 first half of a four-byte character at the end")
        << kZhangGbk + "\x81\x30"_ba << u"张\uFFFD0"_s;
}

void TestNamesText::decodesText()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, text);
    QCOMPARE(decodeNamesText(bytes), text);
    for (qsizetype piece : kPieceSizes) {
        const QString got = quorava::detail::decodeNamesText(bytes, piece);
        QVERIFY2(got == text, qPrintable(u"in pieces of %1 bytes: \"%2\""_s.arg(piece).arg(got)));
    }
}

void TestNamesText::splitsIntoNames_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("names");

    const QStringList zhangLi{u"张三"_s, u"李四"_s};

    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("GBK, CR LF after each name")
        << kZhangSanGbk + kCrLf + kLiSiGbk + kCrLf << zhangLi;
    QTest::newRow("GBK, no line end after the last name")
        << kZhangSanGbk + kCrLf + kLiSiGbk << zhangLi;
    QTest::newRow("UTF-8 with mark, CR LF")
        << kUtf8Mark + kZhangSanUtf8 + kCrLf + kLiSiUtf8 << zhangLi;
    QTest::newRow("UTF-8 without mark, LF")
        << kZhangSanUtf8 + "\n"_ba + kLiSiUtf8 + "\n"_ba << zhangLi;
    QTest::newRow("UTF-8 name whose last byte precedes CR LF")
        << "\xE5\xBC\xA0"_ba + kCrLf + "\xE4\xB8\x89"_ba << QStringList{u"张"_s, u"三"_s};
    QTest::newRow("UTF-16 LE") << utf16le(u"张三\r\n李四\r\n") << zhangLi;
    QTest::newRow("UTF-16 BE, LF") << utf16be(u"张三\n李四") << zhangLi;
    QTest::newRow("GBK, LF") << kZhangSanGbk + "\n"_ba + kLiSiGbk + "\n"_ba << zhangLi;
    QTest::newRow("lone CR") << kZhangSanGbk + "\r"_ba + kLiSiGbk + "\r"_ba << zhangLi;
    QTest::newRow("mixed line ends")
        << "A\r\nB\nC\rD"_ba << QStringList{u"A"_s, u"B"_s, u"C"_s, u"D"_s};
    QTest::newRow("CR CR LF is a blank line between")
        << "A\r\r\nB"_ba << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("LF CR is a blank line between") << "A\n\rB"_ba << QStringList{u"A"_s, u"B"_s};
    QTest::newRow("one line end at the very end adds nothing") << "A\r"_ba << QStringList{u"A"_s};
    QTest::newRow("blank lines are not names")
        << kCrLf + kCrLf + kZhangSanGbk + kCrLf + kCrLf + kLiSiGbk + kCrLf + kCrLf << zhangLi;
    QTest::newRow("only line ends") << "\r\n\r\n\n\r"_ba << QStringList();
    QTest::newRow("white-space lines are not names, GBK")
        << " \t\r\n"_ba + kIdeographicSpaceGbk + kCrLf + kZhangSanGbk + "\r\n\v\f"_ba
        << QStringList{u"张三"_s};
    QTest::newRow("white-space lines are not names, UTF-8")
        << kIdeographicSpaceUtf8 + "\n\xC2\xA0\xE2\x80\x83\n"_ba + kLiSiUtf8
        << QStringList{u"李四"_s};
    QTest::newRow("names are not trimmed")
        << " "_ba + kZhangSanGbk + " \t"_ba + kCrLf + kIdeographicSpaceGbk + kLiSiGbk
        << QStringList{u" 张三 \t"_s, u"\u3000李四"_s};
    QTest::newRow("space inside a name") << "Anna Li\r\n"_ba << QStringList{u"Anna Li"_s};
    QTest::newRow("other line separators belong to the name") << "A\xE2\x80\xA8"
                                                                 "B\xC2\x85"
                                                                 "C"_ba
                                                              << QStringList{u"A\u2028B\u0085C"_s};
    QTest::newRow("zero byte ends the names")
        << kZhangSanGbk + kCrLf + "\0"_ba + kLiSiGbk << QStringList{u"张三"_s};
    QTest::newRow("zero byte inside a name") << "Tom\0my\r\nAnn"_ba << QStringList{u"Tom"_s};
    QTest::newRow("UTF-16 after U+0000 is gone")
        << utf16le(u"张三\r\n") + "\0\0"_ba << QStringList{u"张三"_s};
    QTest::newRow("bad byte stays in its own name")
        << kZhangGbk + "\xFF"_ba + kCrLf + kLiSiGbk << QStringList{u"张\uFFFD"_s, u"李四"_s};
    QTest::newRow("lone lead byte before CR LF takes no line end")
        << kZhangGbk + "\x81"_ba + kCrLf + kLiSiGbk << QStringList{u"张\uFFFD"_s, u"李四"_s};
    QTest::newRow("half a four-byte character before LF")
        << kZhangGbk + "\x81\x30\x81\n"_ba + kLiSiGbk
        << QStringList{u"张\uFFFD0\uFFFD"_s, u"李四"_s};
    QTest::newRow("a name that is only a bad byte")
        << "\x80\r\n\x80"_ba << QStringList{u"\uFFFD"_s, u"\uFFFD"_s};

    QByteArray longGbk;
    for (int i = 0; i < 500'000; ++i)
        longGbk += kZhangGbk;
    const QString longName(500'000, u'张');
    QTest::newRow("very long line first")
        << longGbk + kCrLf + kLiSiGbk << QStringList{longName, u"李四"_s};
    QTest::newRow("very long last line without line end")
        << kLiSiGbk + kCrLf + longGbk << QStringList{u"李四"_s, longName};
}

void TestNamesText::splitsIntoNames()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, names);

    const NameList list = splitNames(decodeNamesText(bytes));
    QCOMPARE(namesOf(list), names);
    for (qsizetype p = 1; p <= list.count(); ++p)
        QVERIFY2(list.name(p).has_value(), "a name that is none");

    for (qsizetype piece : kPieceSizes) {
        const QStringList got = namesOf(splitNames(quorava::detail::decodeNamesText(bytes, piece)));
        QVERIFY2(got == names, qPrintable(u"in pieces of %1 bytes"_s.arg(piece)));
    }

    // The same from a file, as the import reads it.
    QTemporaryFile file;
    QVERIFY(file.open());
    QCOMPARE(file.write(bytes), bytes.size());
    file.close();
    const quorava::LoadedNames loaded = quorava::loadNamesFile(file.fileName());
    QCOMPARE(loaded.read.error, quorava::NamesFileError::None);
    QCOMPARE(namesOf(loaded.names), names);
}

// The last line of a GB18030 file goes through the decoder on its own; whatever it ends in,
// it must read the same as when a line end closes it.
void TestNamesText::unclosedLastLineDecodesAsIfClosed_data()
{
    QTest::addColumn<QByteArray>("bytes");

    QTest::newRow("two-byte character") << kZhangSanGbk + kCrLf + kLiSiGbk;
    QTest::newRow("four-byte character") << kZhangGbk + "\x95\x32\x82\x36"_ba;
    QTest::newRow("one lead byte") << kZhangGbk + "\x81"_ba;
    QTest::newRow("lead byte and digit") << kZhangGbk + "\x81\x39"_ba;
    QTest::newRow("three of four bytes") << kZhangGbk + "\x81\x39\xEE"_ba;
    QTest::newRow("digits after a character") << kZhangGbk + "2024"_ba;
    QTest::newRow("undefined byte") << kZhangGbk + "\xFF"_ba;
    QTest::newRow("no split point at all") << "\x81"_ba + kZhangGbk + kZhangGbk;
}

void TestNamesText::unclosedLastLineDecodesAsIfClosed()
{
    QFETCH(QByteArray, bytes);
    QCOMPARE(decodeNamesText(bytes) + u"\n"_s, decodeNamesText(QByteArray(bytes + "\n"_ba)));
    QCOMPARE(decodeNamesText(bytes) + u" "_s, decodeNamesText(QByteArray(bytes + " "_ba)));
}

void TestNamesText::everyTwoByteCharacterDecodesAsIcuDoes()
{
    QByteArray pairs;
    for (int lead = 0x81; lead <= 0xFE; ++lead) {
        for (int trail = 0x40; trail <= 0xFE; ++trail) {
            if (trail == 0x7F)
                continue; // no trail byte; the random bytes below have it
            pairs.append(char(lead));
            pairs.append(char(trail));
        }
    }
    const QString expected = icuGb18030(pairs);
    QCOMPARE(decodeNamesText(pairs), expected);
    QCOMPARE(quorava::detail::decodeNamesText(pairs, 5), expected);
}

// Bytes of every kind GB18030 tells apart, in random order: ASCII, line ends, digits (four-byte
// characters), lead and trail bytes, undefined bytes, zero.
void TestNamesText::randomBytesDecodeAsIcuDoes()
{
    const uchar alphabet[] = {0x00, 0x0A, 0x0D, 0x20, 0x2F, 0x30, 0x35, 0x39, 0x40,
                              0x41, 0x7E, 0x7F, 0x80, 0x81, 0x82, 0x84, 0x8F, 0x90,
                              0xA1, 0xA2, 0xC5, 0xD5, 0xE3, 0xFD, 0xFE, 0xFF};
    std::mt19937 random(1234);
    std::uniform_int_distribution<size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<int> length(0, 40);
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = "\x81"_ba; // never valid UTF-8: always GB18030
        for (int i = length(random); i > 0; --i)
            bytes.append(char(alphabet[pick(random)]));
        const QString expected = icuGb18030(bytes);
        const QString hex = QString::fromLatin1(bytes.toHex(' '));
        if (decodeNamesText(bytes) != expected)
            QFAIL(qPrintable(u"bytes %1"_s.arg(hex)));
        for (qsizetype piece : {1, 3, 8}) {
            if (quorava::detail::decodeNamesText(bytes, piece) != expected)
                QFAIL(qPrintable(u"bytes %1 in pieces of %2"_s.arg(hex).arg(piece)));
        }
    }
}

// Without a mark, bytes are UTF-8 exactly when they are valid UTF-8: bytes of every kind UTF-8
// tells apart, in random order.
void TestNamesText::randomBytesAreUtf8ExactlyWhenValid()
{
    const uchar alphabet[] = {0x00, 0x0A, 0x0D, 0x41, 0x7F, 0x80, 0x8F, 0x90,
                              0xA0, 0xBF, 0xC0, 0xC1, 0xC2, 0xDF, 0xE0, 0xE1,
                              0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xFE, 0xFF};
    std::mt19937 random(4321);
    std::uniform_int_distribution<size_t> pick(0, std::size(alphabet) - 1);
    std::uniform_int_distribution<int> length(1, 12);
    int utf8 = 0;
    for (int round = 0; round < 5000; ++round) {
        QByteArray bytes;
        for (int i = length(random); i > 0; --i)
            bytes.append(char(alphabet[pick(random)]));
        if (bytes.startsWith("\xEF\xBB\xBF") || bytes.startsWith("\xFF\xFE") ||
            bytes.startsWith("\xFE\xFF"))
            continue; // marks have their own rules
        const qsizetype zero = bytes.indexOf('\0');
        const QByteArray text = zero < 0 ? bytes : bytes.first(zero);
        QString expected;
        if (text.isValidUtf8()) {
            ++utf8;
            expected = QStringDecoder(QStringDecoder::Utf8).decode(text);
        } else {
            expected = icuGb18030(bytes);
        }
        const QString hex = QString::fromLatin1(bytes.toHex(' '));
        if (decodeNamesText(bytes) != expected)
            QFAIL(qPrintable(u"bytes %1"_s.arg(hex)));
        for (qsizetype piece : {1, 2, 5}) {
            if (quorava::detail::decodeNamesText(bytes, piece) != expected)
                QFAIL(qPrintable(u"bytes %1 in pieces of %2"_s.arg(hex).arg(piece)));
        }
    }
    QVERIFY2(utf8 > 100, "too few valid UTF-8 inputs to tell");
}

// A line of one character is a name unless Qt calls the character white space.
void TestNamesText::blankMeansWhiteSpaceForEveryCharacter()
{
    for (char32_t c = 1; c <= 0xFFFF; ++c) {
        const QChar ch(c);
        if (ch.isSurrogate() || c == u'\n' || c == u'\r')
            continue;
        const NameList list = splitNames(QString(ch));
        if (list.count() != (ch.isSpace() ? 0 : 1))
            QFAIL(qPrintable(u"U+%1"_s.arg(quint32(c), 4, 16, QChar(u'0'))));
    }
}

void TestNamesText::namesAreSpansOfTheText()
{
    const QString text = decodeNamesText(QByteArray(kZhangSanGbk + kCrLf + kCrLf + kLiSiGbk));
    const NameList list = splitNames(text);
    QCOMPARE(list.text().constData(), text.constData()); // shared, not copied
    QCOMPARE(list.count(), 2);
    QCOMPARE(list.nameView(1).data(), text.constData());
    QCOMPARE(list.nameView(2).data(), text.constData() + 6);
}

void TestNamesText::splitsTextWithoutLineEnds_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("names");

    QTest::newRow("null") << QString() << QStringList();
    QTest::newRow("one name") << u"王五"_s << QStringList{u"王五"_s};
    QTest::newRow("one white-space name") << u"\u3000 \t"_s << QStringList();
    QTest::newRow("one character") << u"A"_s << QStringList{u"A"_s};
    QTest::newRow("one line end") << u"\n"_s << QStringList();
}

void TestNamesText::splitsTextWithoutLineEnds()
{
    QFETCH(QString, text);
    QFETCH(QStringList, names);
    QCOMPARE(namesOf(splitNames(text)), names);
}

QTEST_GUILESS_MAIN(TestNamesText)
#include "test_names_text.moc"
