#include "platform/fonts.h"

#include <QFontDatabase>
#include <QFontMetricsF>
#include <QStringList>

namespace zorvan {

namespace {

// Every kind of character the game prints: piece characters, numerals, half-width katakana,
// full-width digits and the menu's symbols.
const QString kSample = QStringLiteral(
    "歩香桂銀金角飛王と杏圭全馬龍一二三四五六七八九１２３４５６７８９手目"
    "ﾊﾝﾃﾞｨｷｬｯﾌﾟ級段名人対局戻進△▽棋譜読込書緑畳竹宇宙煉瓦ﾁｪｽ側持駒OK");

// The coverage is checked in the weight the family will be drawn in, so that only the font files
// the game draws with are opened (a CJK font file costs megabytes once it is opened).
QString pickFamily(const QStringList& preferred, QFont::Weight weight) {
    const QStringList installed = QFontDatabase::families();
    for (const QString& name : preferred)
        if (installed.contains(name) && fontCovers(name, kSample, weight)) return name;
    // Any installed family that covers the game's Japanese.
    for (const QString& name : QFontDatabase::families(QFontDatabase::Japanese))
        if (fontCovers(name, kSample, weight)) return name;
    return installed.isEmpty() ? QString() : installed.front();
}

}  // namespace

bool fontCovers(const QString& family, const QString& text, QFont::Weight weight) {
    QFont font(family);
    font.setWeight(weight);
    font.setStyleStrategy(QFont::NoFontMerging);
    const QFontMetricsF metrics(font);
    for (const uint c : text.toUcs4())
        if (!metrics.inFontUcs4(c)) return false;
    return true;
}

const GameFonts& gameFonts() {
    static const GameFonts fonts = [] {
        GameFonts f;
        f.sans = pickFamily({"Noto Sans CJK JP", "IPAexGothic", "IPAGothic"}, QFont::Normal);
        return f;
    }();
    return fonts;
}

QFont textFont(double pixelSize, bool bold) {
    QFont font(gameFonts().sans);
    font.setPixelSize(qMax(1, qRound(pixelSize)));
    font.setBold(bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

}  // namespace zorvan
