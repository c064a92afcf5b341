#include "fonts.h"

#include <QApplication>

using namespace Qt::Literals::StringLiterals;

namespace quorava {

namespace {

const QStringList &cjkFallbacks()
{
    static const QStringList families{u"WenQuanYi Micro Hei"_s, u"Noto Sans CJK SC"_s,
                                      u"Source Han Sans SC"_s, u"Droid Sans Fallback"_s};
    return families;
}

QFont fontWithFamilies(QStringList families, int pixelSize, int weight)
{
    QFont font = QApplication::font();
    families.append(cjkFallbacks());
    font.setFamilies(families);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(weight));
    return font;
}

} // namespace

QFont yaHeiFont(int pixelSize, int weight)
{
    return fontWithFamilies({u"微软雅黑"_s, u"Microsoft YaHei"_s}, pixelSize, weight);
}

QFont songFont(int pixelSize, int weight)
{
    return fontWithFamilies({u"宋体"_s, u"SimSun"_s, u"NSimSun"_s}, pixelSize, weight);
}

QFont defaultFaceFont(int pixelSize, int weight)
{
    QFont font = QApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(weight));
    return font;
}

} // namespace quorava
