#include "ui/Fonts.h"

#include <QStringList>

namespace jlex::fonts {

namespace {

const QStringList kFallbacks = {
    QStringLiteral("AR PL UMing CN"), QStringLiteral("Noto Serif CJK SC"),
    QStringLiteral("WenQuanYi Zen Hei"), QStringLiteral("Noto Sans CJK SC")};

QFont make(QStringList families, double points, bool bold, bool underline)
{
    families += kFallbacks;
    QFont font;
    font.setFamilies(families);
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setUnderline(underline);
    return font;
}

} // namespace

QFont song(double points, bool bold, bool underline)
{
    return make({QStringLiteral("宋体"), QStringLiteral("SimSun")}, points, bold, underline);
}

QFont newSong(double points)
{
    return make({QStringLiteral("新宋体"), QStringLiteral("NSimSun")}, points, false, false);
}

QFont youYuan(double points, bool bold)
{
    // A rounded face suits the title; the sans fallback comes closest.
    return make(
        {QStringLiteral("幼圆"), QStringLiteral("YouYuan"), QStringLiteral("WenQuanYi Zen Hei")},
        points, bold, false);
}

QFont windowDefault()
{
    return song(9);
}

} // namespace jlex::fonts
