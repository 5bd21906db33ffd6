#include <vector>

#include "art/outline_data.h"

namespace zorvan::art {

namespace {

// A kept outline as a path; a contour that comes back to its first point is closed, so a pen
// joins its ends as it joins its corners.
Path build(const outline_data::Outline& outline) {
    Path path;
    path.rule = outline.winding ? FillRule::NonZero : FillRule::EvenOdd;
    const outline_data::OutlineElement* e = outline.elements;
    Point start;
    const auto closeIfBack = [&path, &start] {
        if (!path.empty() && path.verbs.back() != Verb::Close && path.points.back().x == start.x &&
            path.points.back().y == start.y)
            path.close();
    };
    for (int i = 0; i < outline.count; ++i) {
        switch (e[i].type) {
            case outline_data::MoveTo:
                closeIfBack();
                path.moveTo(e[i].x, e[i].y);
                start = {e[i].x, e[i].y};
                break;
            case outline_data::LineTo:
                path.lineTo(e[i].x, e[i].y);
                break;
            case outline_data::CurveTo:
                if (i + 2 < outline.count) {
                    path.cubicTo(e[i].x, e[i].y, e[i + 1].x, e[i + 1].y, e[i + 2].x, e[i + 2].y);
                    i += 2;
                }
                break;
            default:
                break;
        }
    }
    closeIfBack();
    return path;
}

}  // namespace

const Path& pieceCharacterOutline(char16_t character) {
    static const std::vector<Path> outlines = [] {
        std::vector<Path> all;
        for (int i = 0; i < outline_data::kPieceCharacterCount; ++i)
            all.push_back(build(outline_data::kPieceCharacters[i]));
        return all;
    }();
    static const Path none;
    for (int i = 0; i < outline_data::kPieceCharacterCount; ++i)
        if (outline_data::kPieceCharacters[i].character == character) return outlines[unsigned(i)];
    return none;
}

const Path& titleWordOutline() {
    static const Path word = build(outline_data::kTitle);
    return word;
}

}  // namespace zorvan::art
