#include <QHash>

#include "platform/outline_data.h"

namespace zorvan {

namespace {

QPainterPath build(const outline_data::Outline& outline) {
    QPainterPath path;
    path.setFillRule(outline.winding ? Qt::WindingFill : Qt::OddEvenFill);
    const outline_data::OutlineElement* e = outline.elements;
    for (int i = 0; i < outline.count; ++i) {
        switch (e[i].type) {
            case QPainterPath::MoveToElement:
                path.moveTo(e[i].x, e[i].y);
                break;
            case QPainterPath::LineToElement:
                path.lineTo(e[i].x, e[i].y);
                break;
            case QPainterPath::CurveToElement:
                if (i + 2 < outline.count) {
                    path.cubicTo(e[i].x, e[i].y, e[i + 1].x, e[i + 1].y, e[i + 2].x, e[i + 2].y);
                    i += 2;
                }
                break;
            default:
                break;
        }
    }
    return path;
}

}  // namespace

const QPainterPath& pieceCharacterOutline(char16_t character) {
    static const QHash<char16_t, QPainterPath> outlines = [] {
        QHash<char16_t, QPainterPath> all;
        for (int i = 0; i < outline_data::kPieceCharacterCount; ++i)
            all.insert(outline_data::kPieceCharacters[i].character,
                       build(outline_data::kPieceCharacters[i]));
        return all;
    }();
    static const QPainterPath none;
    const auto it = outlines.constFind(character);
    return it == outlines.constEnd() ? none : *it;
}

const QPainterPath& titleWordOutline() {
    static const QPainterPath word = build(outline_data::kTitle);
    return word;
}

}  // namespace zorvan
