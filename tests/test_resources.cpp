// The pictures and the icon are compiled into quorava_ui; these tests load them from the
// resource paths the windows use, so they also prove the resources survive static linking.

#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

#include <optional>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {

struct JpegFrame {
    quint8 marker; // 0xC0 baseline, 0xC1 extended, 0xC2 progressive, ...
    int width;
    int height;
};

// The first start-of-frame segment, found by walking the segments up to the scan.
std::optional<JpegFrame> firstJpegFrame(const QByteArray &bytes)
{
    auto byte = [&](qsizetype at) { return quint8(bytes.at(at)); };
    if (bytes.size() < 4 || byte(0) != 0xFF || byte(1) != 0xD8)
        return std::nullopt;
    qsizetype at = 2;
    while (at + 4 <= bytes.size() && byte(at) == 0xFF) {
        const quint8 marker = byte(at + 1);
        const int length = byte(at + 2) << 8 | byte(at + 3);
        const bool isFrame =
            marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (isFrame && at + 9 <= bytes.size())
            return JpegFrame{marker, byte(at + 7) << 8 | byte(at + 8),
                             byte(at + 5) << 8 | byte(at + 6)};
        if (marker == 0xDA)
            break;
        at += 2 + length;
    }
    return std::nullopt;
}

QByteArray readResource(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

} // namespace

class TestResources : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void decodes_data();
    void decodes();
    void backgroundsAreBaselineJpeg_data();
    void backgroundsAreBaselineJpeg();
    void iconIsOneTransparentBadge();
    void desktopIconMatchesWindowIcon();
};

void TestResources::decodes_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QSize>("size");

    QTest::newRow("main window") << u":/main_background.jpg"_s << "jpeg"_ba << QSize(1920, 1200);
    QTest::newRow("draw window") << u":/draw_background.jpg"_s << "jpeg"_ba << QSize(1920, 1080);
    QTest::newRow("icon") << u":/quorava.ico"_s << "ico"_ba << QSize(48, 48);
    QTest::newRow("desktop icon") << u":/quorava.png"_s << "png"_ba << QSize(48, 48);
}

void TestResources::decodes()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, format);
    QFETCH(QSize, size);

    QVERIFY2(QFile::exists(path), qPrintable(path + u" is not compiled in"_s));
    QImageReader reader(path);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), size);
}

void TestResources::backgroundsAreBaselineJpeg_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QSize>("size");

    QTest::newRow("main window") << u":/main_background.jpg"_s << QSize(1920, 1200);
    QTest::newRow("draw window") << u":/draw_background.jpg"_s << QSize(1920, 1080);
}

void TestResources::backgroundsAreBaselineJpeg()
{
    QFETCH(QString, path);
    QFETCH(QSize, size);

    const std::optional<JpegFrame> frame = firstJpegFrame(readResource(path));
    QVERIFY2(frame, "no start-of-frame segment");
    QCOMPARE(frame->marker, quint8(0xC0));
    QCOMPARE(QSize(frame->width, frame->height), size);
}

void TestResources::iconIsOneTransparentBadge()
{
    const QByteArray ico = readResource(u":/quorava.ico"_s);
    // Header: one image; its directory entry says 48 x 48 in 32 bits per pixel.
    QVERIFY(ico.size() > 22);
    QCOMPARE(quint8(ico.at(4)) | quint8(ico.at(5)) << 8, 1);
    QCOMPARE(quint8(ico.at(6)), quint8(48));
    QCOMPARE(quint8(ico.at(7)), quint8(48));
    QCOMPARE(quint8(ico.at(12)) | quint8(ico.at(13)) << 8, 32);

    QImageReader reader(u":/quorava.ico"_s);
    QCOMPARE(reader.imageCount(), 1);
    const QImage icon = reader.read().convertToFormat(QImage::Format_ARGB32);
    QVERIFY(icon.hasAlphaChannel());
    // Round: the corners are clear, the middle and the points just inside the rim are solid.
    for (const QPoint corner : {QPoint(0, 0), QPoint(47, 0), QPoint(0, 47), QPoint(47, 47)})
        QCOMPARE(qAlpha(icon.pixel(corner)), 0);
    for (const QPoint inside : {QPoint(24, 24), QPoint(24, 3), QPoint(3, 24), QPoint(44, 24)})
        QCOMPARE(qAlpha(icon.pixel(inside)), 255);
}

void TestResources::desktopIconMatchesWindowIcon()
{
    const QImage ico = QImage(u":/quorava.ico"_s).convertToFormat(QImage::Format_ARGB32);
    const QImage png = QImage(u":/quorava.png"_s).convertToFormat(QImage::Format_ARGB32);
    QVERIFY(!ico.isNull() && !png.isNull());
    QCOMPARE(png, ico);
}

} // namespace quorava

QTEST_GUILESS_MAIN(quorava::TestResources)
#include "test_resources.moc"
