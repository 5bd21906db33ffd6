// The title lettering "ZORVAN": gilded capitals between a small shogi tile and a chess pawn.
#include <QIcon>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPixmap>

#include "model/piece.h"
#include "platform/artwork.h"
#include "platform/outline_data.h"

namespace zorvan {

namespace {

QPainterPath lettering() {
    const QPainterPath& text = titleWordOutline();
    // Fit the word into the middle of the box.
    const QRectF box = text.boundingRect();
    const QRectF target(24, 6, 113, 25);
    const double scale = qMin(target.width() / box.width(), target.height() / box.height());
    QTransform place;
    place.translate(target.center().x(), target.center().y());
    place.scale(scale, scale);
    place.translate(-box.center().x(), -box.center().y());
    return place.map(text);
}

}  // namespace

void paintTitle(QPainter& p) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    const QPainterPath word = lettering();

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 120));
    p.drawPath(word.translated(1.2, 1.4));

    QLinearGradient gold(0, 6, 0, 31);
    gold.setColorAt(0, QColor(255, 246, 196));
    gold.setColorAt(0.45, QColor(240, 196, 76));
    gold.setColorAt(0.55, QColor(196, 134, 28));
    gold.setColorAt(1, QColor(250, 214, 110));
    p.setBrush(gold);
    p.setPen(QPen(QColor(74, 40, 6), 0.9));
    p.drawPath(word);

    // A rule under the word, fading out at both ends.
    QLinearGradient rule(24, 0, 137, 0);
    rule.setColorAt(0, QColor(240, 196, 76, 0));
    rule.setColorAt(0.5, QColor(240, 196, 76, 230));
    rule.setColorAt(1, QColor(240, 196, 76, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(rule);
    p.drawRect(QRectF(24, 33.2, 113, 1.3));

    // The two armies as small emblems at the ends of the word.
    p.save();
    p.translate(1, 2);
    p.scale(0.62, 0.62);
    paintShogiPiece(p, -OU);
    p.restore();
    p.save();
    p.translate(140, 2);
    p.scale(0.62, 0.62);
    paintChessPiece(p, KING, true);
    p.restore();
    p.restore();
}

QIcon gameIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        // The shogi king's tile and, in front of it, a black chess king.
        const double k = size / CELL_DESIGN_H;
        p.save();
        p.translate(-size * 0.04, size * 0.02);
        p.scale(k * 0.95, k * 0.95);
        paintShogiPiece(p, -OU);
        p.restore();
        p.translate(size * 0.36, size * 0.10);
        p.scale(k * 0.9, k * 0.9);
        paintChessPiece(p, KING, false);
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace zorvan
