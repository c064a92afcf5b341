// Paints the program's two background pictures and its icon, and writes them into the folder
// given as the only argument. The results are committed, so this runs only on demand
// (the `pictures` target). Everything is drawn from fixed numbers: a rerun gives the same files.

#include <QBuffer>
#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QSaveFile>
#include <QStringList>
#include <QTextStream>

#include <cmath>
#include <numbers>

using namespace Qt::Literals::StringLiterals;

namespace quorava {
namespace {

QTextStream &err()
{
    static QTextStream stream(stderr);
    return stream;
}

// ---- Shared helpers --------------------------------------------------------------------------

QPainterPath circle(QPointF centre, qreal radius)
{
    QPainterPath path;
    path.addEllipse(centre, radius, radius);
    return path;
}

QPainterPath ellipse(QPointF centre, qreal rx, qreal ry)
{
    QPainterPath path;
    path.addEllipse(centre, rx, ry);
    return path;
}

QPainterPath unite(std::initializer_list<QPainterPath> parts)
{
    QPainterPath all;
    for (const QPainterPath &part : parts)
        all = all.united(part);
    return all;
}

QPen outline(const QColor &colour, qreal width)
{
    return QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

// The first face of the list that is installed and has every character of `text`, so the
// picture never shows empty boxes. WenQuanYi is what the build machines carry.
bool findCjkFont(const QString &text, QFont *found)
{
    const QStringList families = {
        u"WenQuanYi Micro Hei"_s, u"Noto Sans CJK TC"_s,    u"Source Han Sans TC"_s,
        u"Microsoft JhengHei"_s,  u"PingFang TC"_s,         u"Noto Sans CJK SC"_s,
        u"Microsoft YaHei"_s,     u"Droid Sans Fallback"_s,
    };
    for (const QString &family : families) {
        QFont font(family);
        if (QFontInfo(font).family().compare(family, Qt::CaseInsensitive) != 0)
            continue;
        const QFontMetrics metrics(font);
        bool all = true;
        for (const char32_t c : text.toUcs4())
            all = all && metrics.inFontUcs4(c);
        if (all) {
            font.setFamilies(families.mid(families.indexOf(family)));
            *found = font;
            return true;
        }
    }
    return false;
}

// ---- Main window: four characters in practice grids ------------------------------------------

const QColor kCoral(0xee, 0x5e, 0x4e);
const QColor kGlyphYellow(0xff, 0xdf, 0x3a);
const QColor kGridWhite(0xff, 0xff, 0xff);

// A square quartered by a cross: the outline solid, the cross dashed, as on practice paper.
// The lines lie inside the box on whole pixels, so they stay crisp.
void drawPracticeGrid(QPainter &p, const QRectF &box)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kGridWhite, 4, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.drawRect(box.adjusted(2, 2, -2, -2));

    QPen dashed(kGridWhite, 2, Qt::CustomDashLine, Qt::FlatCap);
    dashed.setDashPattern({8, 6});
    p.setPen(dashed);
    const QPointF c = box.center();
    p.drawLine(QPointF(box.left() + 6, c.y()), QPointF(box.right() - 6, c.y()));
    p.drawLine(QPointF(c.x(), box.top() + 6), QPointF(c.x(), box.bottom() - 6));
}

// One character centred by its ink, thickened by a stroke of its own colour.
void drawGlyph(QPainter &p, const QRectF &box, const QString &glyph, const QFont &font)
{
    QPainterPath path;
    path.addText(0, 0, font, glyph);
    path.translate(box.center() - path.boundingRect().center());
    p.setPen(outline(kGlyphYellow, box.width() * 0.016));
    p.setBrush(kGlyphYellow);
    p.drawPath(path);
}

QImage paintMainBackground(const QFont &cjk)
{
    QImage image(1920, 1200, QImage::Format_RGB32);
    image.fill(kCoral);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    const qreal cell = 456;
    const qreal gap = 48;
    const QPointF origin((image.width() - (2 * cell + gap)) / 2,
                         (image.height() - (2 * cell + gap)) / 2);
    QFont font(cjk);
    font.setPixelSize(int(cell * 0.84));

    const QString text = u"無所畏懼"_s;
    for (int i = 0; i < text.size(); ++i) {
        const QRectF box(origin.x() + (i % 2) * (cell + gap), origin.y() + (i / 2) * (cell + gap),
                         cell, cell);
        drawPracticeGrid(p, box);
        drawGlyph(p, box, text.mid(i, 1), font);
    }
    return image;
}

// ---- Draw window: a cartoon sky -------------------------------------------------------------

const QColor kCloudShade(0xcf, 0xe6, 0xf6);
const QColor kColumnLine(0x8c, 0xa8, 0xc0);
const QColor kColumnShade(0xdd, 0xe8, 0xf1);
const QColor kInk(0x4a, 0x34, 0x2a);

struct Puff {
    qreal x, y, r;
};

// A cloud from overlapping puffs on a flat-ish base; `mirror` flips it so repeats look different.
void drawCloud(QPainter &p, QPointF at, qreal scale, bool mirror)
{
    static const Puff puffs[] = {{-100, -20, 40}, {-52, -50, 56}, {12, -70, 70},
                                 {78, -44, 52},   {122, -18, 34}, {-10, -24, 50}};
    QPainterPath cloud = ellipse(QPointF(8, -16), 150, 26);
    for (const Puff &puff : puffs)
        cloud = cloud.united(circle(QPointF(mirror ? -puff.x : puff.x, puff.y), puff.r));

    p.save();
    p.translate(at);
    p.scale(scale, scale);
    p.setPen(Qt::NoPen);
    p.setBrush(kCloudShade);
    p.drawPath(cloud.translated(0, 9));
    p.setBrush(Qt::white);
    p.drawPath(cloud);
    p.restore();
}

void drawSky(QPainter &p, const QRect &area)
{
    QLinearGradient sky(0, 0, 0, area.height());
    sky.setColorAt(0.0, QColor(0x74, 0xc4, 0xf0));
    sky.setColorAt(0.6, QColor(0xa8, 0xdc, 0xf7));
    sky.setColorAt(1.0, QColor(0xdc, 0xf2, 0xfc));
    p.fillRect(area, sky);
}

void drawGround(QPainter &p, const QRect &area)
{
    const qreal w = area.width();
    const qreal h = area.height();
    QPainterPath back;
    // The hill reaches past the picture's edges, so its outline shows only along the top.
    back.moveTo(-8, 1000);
    back.cubicTo(320, 960, 640, 975, 960, 992);
    back.cubicTo(1280, 1008, 1600, 962, w + 8, 978);
    back.lineTo(w + 8, h + 8);
    back.lineTo(-8, h + 8);
    back.closeSubpath();
    QLinearGradient backFill(0, 960, 0, h);
    backFill.setColorAt(0, QColor(0xbf, 0xe8, 0x9a));
    backFill.setColorAt(1, QColor(0xa6, 0xd9, 0x7e));
    p.setPen(outline(QColor(0x8e, 0xc7, 0x6a), 3));
    p.setBrush(backFill);
    p.drawPath(back);

    QPainterPath front;
    front.moveTo(0, 1040);
    front.cubicTo(420, 1018, 760, 1048, 1100, 1038);
    front.cubicTo(1440, 1028, 1700, 1046, w, 1030);
    front.lineTo(w, h);
    front.lineTo(0, h);
    front.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xd4, 0xf0, 0xb4));
    p.drawPath(front);

    // Little flowers and tufts at fixed places.
    struct Flower {
        qreal x, y;
        QColor petals;
    };
    const Flower flowers[] = {
        {120, 1050, QColor(0xff, 0xff, 0xff)},  {310, 1062, QColor(0xff, 0x9e, 0xc4)},
        {520, 1048, QColor(0xff, 0xe0, 0x5a)},  {760, 1064, QColor(0xff, 0xff, 0xff)},
        {1180, 1056, QColor(0xff, 0x9e, 0xc4)}, {1390, 1066, QColor(0xff, 0xe0, 0x5a)},
        {1560, 1052, QColor(0xff, 0xff, 0xff)}, {1880, 1060, QColor(0xff, 0x9e, 0xc4)},
    };
    for (const Flower &f : flowers) {
        p.setPen(outline(QColor(0x6c, 0xb0, 0x4e), 3));
        p.drawLine(QPointF(f.x, f.y), QPointF(f.x, f.y + 14));
        p.setPen(Qt::NoPen);
        p.setBrush(f.petals);
        for (int k = 0; k < 5; ++k) {
            const qreal a = k * 2 * std::numbers::pi / 5 - std::numbers::pi / 2;
            p.drawEllipse(QPointF(f.x + 7 * std::cos(a), f.y + 7 * std::sin(a)), 5.5, 5.5);
        }
        p.setBrush(QColor(0xff, 0xb3, 0x2e));
        p.drawEllipse(QPointF(f.x, f.y), 4.5, 4.5);
    }
    p.setPen(outline(QColor(0x86, 0xc2, 0x62), 3));
    const qreal tufts[] = {60, 230, 420, 640, 870, 1290, 1480, 1650, 1830};
    for (const qreal x : tufts) {
        const qreal y = 1060 + std::fmod(x, 17);
        p.drawLine(QPointF(x, y), QPointF(x - 7, y - 14));
        p.drawLine(QPointF(x, y), QPointF(x, y - 18));
        p.drawLine(QPointF(x, y), QPointF(x + 7, y - 14));
    }
}

// An Ionic column standing on the ground in the middle of the picture.
void drawColumn(QPainter &p, qreal cx, qreal top, qreal groundY)
{
    const qreal shaftHalf = 66;
    const qreal shaftTop = top + 74;
    const qreal shaftBottom = groundY - 58;

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x93, 0xc4, 0x76));
    p.drawEllipse(QPointF(cx + 14, groundY + 2), 150, 14);

    QLinearGradient round(cx - shaftHalf, 0, cx + shaftHalf, 0);
    round.setColorAt(0.0, kColumnShade);
    round.setColorAt(0.3, Qt::white);
    round.setColorAt(0.6, Qt::white);
    round.setColorAt(1.0, QColor(0xc9, 0xd9, 0xe6));
    p.setPen(outline(kColumnLine, 3));
    p.setBrush(round);
    p.drawRect(QRectF(cx - shaftHalf, shaftTop, 2 * shaftHalf, shaftBottom - shaftTop));

    p.setPen(outline(QColor(0xcf, 0xdc, 0xe7), 5));
    for (const qreal dx : {-40.0, -14.0, 12.0, 38.0})
        p.drawLine(QPointF(cx + dx, shaftTop + 14), QPointF(cx + dx, shaftBottom - 12));

    // Base: a rounded ring on a square plinth.
    p.setPen(outline(kColumnLine, 3));
    p.setBrush(round);
    p.drawRoundedRect(QRectF(cx - 86, shaftBottom - 4, 172, 26), 13, 13);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(cx - 104, shaftBottom + 22, 208, groundY - shaftBottom - 22));

    // Capital: a necking ring, the scroll band with its two volutes, the slab on top.
    p.setBrush(round);
    p.drawRoundedRect(QRectF(cx - 78, shaftTop - 16, 156, 18), 8, 8);
    p.setBrush(Qt::white);
    p.drawRoundedRect(QRectF(cx - 112, top + 26, 224, 34), 14, 14);
    for (const int side : {-1, 1}) {
        const QPointF centre(cx + side * 110, top + 52);
        p.setPen(outline(kColumnLine, 3));
        p.setBrush(Qt::white);
        p.drawEllipse(centre, 26, 26);
        QPainterPath spiral;
        for (int k = 0; k <= 60; ++k) {
            const qreal t = k / 60.0;
            const qreal a = side * (t * 3.6 * std::numbers::pi) - std::numbers::pi / 2;
            const qreal r = 20 * (1 - t) + 3;
            const QPointF at(centre.x() + side * r * std::cos(a), centre.y() + r * std::sin(a));
            k == 0 ? spiral.moveTo(at) : spiral.lineTo(at);
        }
        p.setBrush(Qt::NoBrush);
        p.drawPath(spiral);
    }
    p.setPen(outline(kColumnLine, 3));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(cx - 132, top, 264, 26));
}

// A round tree standing at `foot`: a trunk under a crown of bumps, with a few red apples. Drawn 300
// px tall at scale 1.
void drawTree(QPainter &p, QPointF foot, qreal scale)
{
    p.save();
    p.translate(foot);
    p.scale(scale, scale);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x93, 0xc4, 0x76));
    p.drawEllipse(QPointF(8, 4), 110, 12);

    QPainterPath trunk;
    trunk.moveTo(-24, 4);
    trunk.cubicTo(-14, -40, -14, -80, -16, -130);
    trunk.lineTo(16, -130);
    trunk.cubicTo(14, -80, 14, -40, 26, 4);
    trunk.closeSubpath();
    p.setPen(outline(QColor(0x6e, 0x45, 0x28), 3));
    p.setBrush(QColor(0xa8, 0x6e, 0x40));
    p.drawPath(trunk);

    const qreal cy = -190;
    const QPainterPath crown =
        unite({circle({0, cy - 18}, 70), circle({-66, cy + 14}, 52), circle({68, cy + 12}, 56),
               circle({-40, cy + 52}, 50), circle({36, cy + 54}, 52), circle({-52, cy - 28}, 44),
               circle({54, cy - 30}, 46)});
    QRadialGradient leaves(QPointF(-30, cy - 40), 170);
    leaves.setColorAt(0, QColor(0x86, 0xd6, 0x5c));
    leaves.setColorAt(1, QColor(0x4f, 0xa8, 0x3c));
    p.setPen(outline(QColor(0x3e, 0x86, 0x30), 4));
    p.setBrush(leaves);
    p.drawPath(crown);

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xa6, 0xe6, 0x7e));
    p.drawEllipse(QPointF(-38, cy - 44), 22, 13);
    const QPointF apples[] = {
        {-58, cy + 10}, {12, cy - 30}, {62, cy + 26}, {-10, cy + 58}, {40, cy - 62}};
    for (const QPointF &a : apples) {
        p.setPen(outline(QColor(0xa8, 0x20, 0x20), 2));
        p.setBrush(QColor(0xf0, 0x40, 0x40));
        p.drawEllipse(a, 10, 10);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(0xff, 0xb0, 0xa8));
        p.drawEllipse(a + QPointF(-3.5, -3.5), 3, 3);
    }
    p.restore();
}

struct Figure {
    QColor dress;
    QColor hair;
};

// One child in local coordinates: the raised left hand at (0, 0) holds on to whatever is above,
// the lowered right hand at kHandStep is held by the next child.
const QPointF kHandStep(44, 138);

void drawChild(QPainter &p, const Figure &f)
{
    const QColor skin(0xff, 0xd6, 0xb0);
    const QPen line = outline(kInk, 3);
    const QPen limb = outline(kInk, 9);
    const QPen limbFill = outline(skin, 4.5);

    // Legs first so the dress covers their tops.
    const QPointF hipL(6, 110), hipR(22, 110), footL(-4, 150), footR(30, 150);
    for (const auto &[hip, foot] : {std::pair{hipL, footL}, std::pair{hipR, footR}}) {
        p.setPen(limb);
        p.drawLine(hip, foot);
        p.setPen(limbFill);
        p.drawLine(hip, foot);
        p.setPen(line);
        p.setBrush(f.dress.darker(160));
        p.drawEllipse(foot + QPointF(0, 3), 8, 6);
    }

    // Arms: up to the hand above, down to the hand of the next child.
    const QPointF shoulderL(-2, 66), shoulderR(28, 66);
    for (const auto &[from, to] :
         {std::pair{shoulderL, QPointF(0, 0)}, std::pair{shoulderR, kHandStep}}) {
        p.setPen(limb);
        p.drawLine(from, to);
        p.setPen(limbFill);
        p.drawLine(from, to);
    }
    p.setPen(line);
    p.setBrush(skin);
    p.drawEllipse(QPointF(0, 2), 7, 7);
    p.drawEllipse(kHandStep, 7, 7);

    QPainterPath dress;
    dress.moveTo(0, 60);
    dress.quadTo(13, 54, 26, 60);
    dress.lineTo(40, 116);
    dress.quadTo(13, 124, -14, 116);
    dress.closeSubpath();
    p.setPen(line);
    p.setBrush(f.dress);
    p.drawPath(dress);
    p.setPen(outline(f.dress.lighter(135), 4));
    p.drawLine(QPointF(-10, 108), QPointF(36, 108));

    // Head with hair, eyes, a smile and rosy cheeks.
    const QPointF head(20, 34);
    p.setPen(line);
    p.setBrush(skin);
    p.drawEllipse(head, 21, 21);
    QPainterPath hair;
    hair.moveTo(head + QPointF(-21, 0));
    hair.arcTo(QRectF(head.x() - 21, head.y() - 21, 42, 42), 180, -180);
    hair.quadTo(head + QPointF(10, -8), head + QPointF(0, -10));
    hair.quadTo(head + QPointF(-10, -4), head + QPointF(-21, 0));
    p.setBrush(f.hair);
    p.drawPath(hair);
    p.setPen(Qt::NoPen);
    p.setBrush(kInk);
    p.drawEllipse(head + QPointF(-7, 4), 2.8, 3.4);
    p.drawEllipse(head + QPointF(7, 4), 2.8, 3.4);
    p.setBrush(QColor(0xff, 0x9a, 0x9a));
    p.drawEllipse(head + QPointF(-12, 11), 4, 2.6);
    p.drawEllipse(head + QPointF(12, 11), 4, 2.6);
    p.setPen(outline(kInk, 2.5));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(head.x() - 7, head.y() + 3, 14, 11), 200 * 16, 140 * 16);
}

// A branch reaching in from the top-left corner, with a chain of children hanging from it.
void drawHangingChain(QPainter &p)
{
    QPainterPath branch;
    branch.moveTo(-20, 24);
    branch.cubicTo(80, 40, 170, 50, 290, 30);
    branch.lineTo(292, 42);
    branch.cubicTo(170, 68, 80, 64, -20, 58);
    branch.closeSubpath();
    p.setPen(outline(QColor(0x6e, 0x45, 0x28), 3));
    p.setBrush(QColor(0xa8, 0x6e, 0x40));
    p.drawPath(branch);
    struct Leaf {
        qreal x, y, angle;
    };
    const Leaf leaves[] = {{40, 30, -30}, {110, 70, 40},  {200, 34, -40},
                           {262, 52, 30}, {300, 26, -10}, {-6, 64, 50}};
    p.setPen(outline(QColor(0x3e, 0x86, 0x30), 2.5));
    p.setBrush(QColor(0x74, 0xc8, 0x52));
    for (const Leaf &leaf : leaves) {
        p.save();
        p.translate(leaf.x, leaf.y);
        p.rotate(leaf.angle);
        p.drawEllipse(QPointF(0, 0), 24, 11);
        p.restore();
    }

    const Figure children[] = {
        {QColor(0xff, 0x6b, 0x6b), QColor(0x5c, 0x3b, 0x28)},
        {QColor(0xff, 0xa9, 0x3d), QColor(0x2b, 0x2b, 0x2b)},
        {QColor(0x51, 0xc2, 0x66), QColor(0xc8, 0x8a, 0x3a)},
        {QColor(0x8a, 0x64, 0xf0), QColor(0x3b, 0x2a, 0x20)},
    };
    // Each child swings a little further out than the one above it.
    p.save();
    p.translate(160, 52);
    p.scale(0.85, 0.85);
    p.rotate(-12);
    for (const Figure &child : children) {
        p.rotate(-8);
        drawChild(p, child);
        p.translate(kHandStep);
    }
    p.restore();
}

QImage paintDrawBackground()
{
    QImage image(1920, 1080, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    drawSky(p, image.rect());
    drawCloud(p, {700, 150}, 0.8, false);
    drawCloud(p, {1330, 200}, 1.15, true);
    drawCloud(p, {1740, 110}, 0.85, false);
    drawCloud(p, {1560, 390}, 0.6, false);
    drawCloud(p, {300, 925}, 0.7, true);
    drawCloud(p, {1190, 935}, 0.5, false);
    drawGround(p, image.rect());
    drawColumn(p, 960, 170, 1004);
    drawTree(p, {1740, 1012}, 0.62);
    drawHangingChain(p);
    return image;
}

// ---- Icon: a round badge ---------------------------------------------------------------------

QImage paintIcon()
{
    QImage image(48, 48, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(24, 24);

    // Bold bands, so the badge still reads when shrunk to 16 px for a title bar.
    p.setPen(QPen(QColor(0x4a, 0x90, 0xd0), 1));
    p.setBrush(QColor(0x9c, 0xd4, 0xf6));
    p.drawEllipse(c, 23, 23);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x14, 0x3c, 0x8c));
    p.drawEllipse(c, 19.5, 19.5);
    p.setBrush(QColor(0xe0, 0x24, 0x2a));
    p.drawEllipse(c, 16, 16);

    p.setPen(QPen(Qt::white, 3.2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, 10.5, 10.5);
    p.setPen(QPen(Qt::white, 3.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(c.x() - 11, c.y()), QPointF(c.x() + 11, c.y()));
    p.drawLine(QPointF(c.x(), c.y() - 11), QPointF(c.x(), c.y() + 11));
    return image;
}

// ---- Writing ---------------------------------------------------------------------------------

quint32 readLe(const QByteArray &bytes, qsizetype at, int size)
{
    quint32 value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | quint8(bytes.at(at + i));
    return value;
}

// Qt's ICO writer leaves the padding at the end of each row of the AND mask unset, so the file
// would change from run to run. Clears every bit past the image's width; only a file with one
// 32-bit image is expected here.
bool clearIconMaskPadding(QByteArray *ico)
{
    const qsizetype headerSize = 6 + 16;
    if (ico->size() < headerSize + 40 || readLe(*ico, 4, 2) != 1)
        return false;
    const qsizetype bitmap = readLe(*ico, 18, 4);
    if (bitmap + 40 > ico->size() || readLe(*ico, bitmap + 14, 2) != 32)
        return false;
    const int width = int(readLe(*ico, bitmap + 4, 4));
    const int height = int(readLe(*ico, bitmap + 8, 4)) / 2; // colour and mask rows together
    const qsizetype maskRow = (width + 31) / 32 * 4;
    const qsizetype mask = bitmap + readLe(*ico, bitmap, 4) + qsizetype(width) * height * 4;
    if (mask + maskRow * height != ico->size())
        return false;
    char *data = ico->data();
    for (int y = 0; y < height; ++y) {
        char *row = data + mask + y * maskRow;
        if (width % 8 != 0)
            row[width / 8] = char(quint8(row[width / 8]) & quint8(0xff00 >> (width % 8)));
        for (qsizetype x = (width + 7) / 8; x < maskRow; ++x)
            row[x] = 0;
    }
    return true;
}

bool write(const QImage &image, const QString &path, const QByteArray &format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    if (quality >= 0)
        writer.setQuality(quality);
    // Baseline JPEG: optimised Huffman tables keep it sequential, only smaller.
    writer.setOptimizedWrite(true);
    writer.setProgressiveScanWrite(false);
    if (!writer.write(image)) {
        err() << "cannot encode " << path << ": " << writer.errorString() << Qt::endl;
        return false;
    }
    if (format == "ico" && !clearIconMaskPadding(&bytes)) {
        err() << "unexpected icon layout from the ICO writer: " << path << Qt::endl;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        err() << "cannot write " << path << ": " << file.errorString() << Qt::endl;
        return false;
    }
    return true;
}

} // namespace
} // namespace quorava

int main(int argc, char **argv)
{
    using namespace quorava;
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        err() << "usage: paint_pictures <output folder>" << Qt::endl;
        return 2;
    }
    const QString dir = args.at(1) + u'/';

    QFont cjk;
    if (!findCjkFont(u"無所畏懼"_s, &cjk)) {
        err() << "no installed font has the characters 無所畏懼" << Qt::endl;
        return 1;
    }

    QTextStream(stdout) << "characters drawn in " << QFontInfo(cjk).family() << Qt::endl;

    const QImage icon = paintIcon();
    const bool ok = write(paintMainBackground(cjk), dir + u"main_background.jpg"_s, "jpeg", 85) &&
                    write(paintDrawBackground(), dir + u"draw_background.jpg"_s, "jpeg", 90) &&
                    write(icon, dir + u"quorava.ico"_s, "ico") &&
                    write(icon, dir + u"quorava.png"_s, "png");
    return ok ? 0 : 1;
}
