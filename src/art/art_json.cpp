#include "art/art_json.h"

#include <cmath>
#include <cstddef>
#include <cstdio>

#include "art/artwork.h"
#include "art/backgrounds.h"
#include "model/piece.h"

namespace zorvan::art {

namespace {

// A coordinate to 1/10000, without trailing zeros ("-0" written as "0").
void number(std::string& out, double v) {
    double rounded = std::round(v * 10000) / 10000;
    if (rounded == 0 || !std::isfinite(rounded)) rounded = 0;
    char text[40];
    std::snprintf(text, sizeof text, "%.4f", rounded);
    std::string s = text;
    while (s.back() == '0') s.pop_back();
    if (s.back() == '.') s.pop_back();
    out += s;
}

void colour(std::string& out, const Colour& c) {
    out += std::to_string(c.r) + ',' + std::to_string(c.g) + ',' + std::to_string(c.b) + ',' +
           std::to_string(c.a);
}

void path(std::string& out, const Path& p) {
    out += '[';
    size_t at = 0;
    bool first = true;
    for (Verb verb : p.verbs) {
        if (!first) out += ',';
        first = false;
        out += std::to_string(static_cast<int>(verb));
        const size_t count = verb == Verb::Cubic ? 3 : (verb == Verb::Close ? 0 : 1);
        for (size_t i = 0; i < count; ++i, ++at) {
            out += ',';
            number(out, p.points[at].x);
            out += ',';
            number(out, p.points[at].y);
        }
    }
    out += ']';
}

void paint(std::string& out, const Paint& p) {
    switch (p.kind) {
        case Paint::Kind::None:
            out += "null";
            return;
        case Paint::Kind::Solid:
            out += "[\"solid\",";
            colour(out, p.colour);
            out += ']';
            return;
        case Paint::Kind::Linear:
            out += "[\"linear\",";
            for (double v : {p.from.x, p.from.y, p.to.x, p.to.y}) number(out, v), out += ',';
            break;
        case Paint::Kind::Radial:
            out += "[\"radial\",";
            for (double v : {p.from.x, p.from.y, p.radius}) number(out, v), out += ',';
            break;
    }
    out += '[';
    for (size_t i = 0; i < p.stops.size(); ++i) {
        if (i) out += ',';
        out += '[';
        number(out, p.stops[i].at);
        out += ',';
        colour(out, p.stops[i].colour);
        out += ']';
    }
    out += "]]";
}

void pen(std::string& out, const Pen& p) {
    if (p.width <= 0) {
        out += "null";
        return;
    }
    static const char* const caps[] = {"butt", "square", "round"};
    static const char* const joins[] = {"miter", "bevel", "round"};
    out += '[';
    number(out, p.width);
    out += ',';
    colour(out, p.colour);
    out += ",\"";
    out += caps[static_cast<int>(p.cap)];
    out += "\",\"";
    out += joins[static_cast<int>(p.join)];
    out += "\"]";
}

}  // namespace

std::string pictureJson(const Picture& picture) {
    std::string out = "[";
    bool first = true;
    for (const Op& op : picture.ops()) {
        if (!first) out += ',';
        first = false;
        switch (op.kind) {
            case Op::Kind::Save:
                out += "[\"save\"]";
                break;
            case Op::Kind::Restore:
                out += "[\"restore\"]";
                break;
            case Op::Kind::Transform: {
                out += "[\"transform\"";
                const Matrix& m = op.matrix;
                for (double v : {m.a, m.b, m.c, m.d, m.e, m.f}) out += ',', number(out, v);
                out += ']';
                break;
            }
            case Op::Kind::Draw:
                out += op.path.rule == FillRule::EvenOdd ? "[\"draw\",\"evenodd\","
                                                         : "[\"draw\",\"nonzero\",";
                path(out, op.path);
                out += ',';
                paint(out, op.fill);
                out += ',';
                pen(out, op.pen);
                out += ']';
                break;
        }
    }
    out += ']';
    return out;
}

std::string artworkJson() {
    std::string out = "{\"format\":1";
    const auto box = [&out](const char* name, double w, double h) {
        out += ",\"" + std::string(name) + "\":[";
        number(out, w);
        out += ',';
        number(out, h);
        out += ']';
    };
    box("cell", CELL_DESIGN_W, CELL_DESIGN_H);
    box("title", TITLE_DESIGN_W, TITLE_DESIGN_H);
    box("icon", ICON_DESIGN_SIZE, ICON_DESIGN_SIZE);
    out += ",\"backgroundVariants\":" + std::to_string(BACKGROUND_VARIANTS) + ",\n\"grounds\":[";
    const Ground grounds[] = {Ground::Shade0, Ground::Shade1, Ground::Pressed};
    for (size_t i = 0; i < 3; ++i) out += (i ? ",\n" : "") + pictureJson(squarePicture(grounds[i]));
    out += "],\n\"pieces\":{";
    bool first = true;
    for (int code = -KIND_COUNT; code <= KIND_COUNT; ++code) {
        if (code == EMPTY) continue;
        out += first ? "\n\"" : ",\n\"";
        first = false;
        out += std::to_string(code) + "\":" + pictureJson(piecePicture(code));
    }
    out += "},\n\"titlePicture\":" + pictureJson(titlePicture());
    out += ",\n\"iconPicture\":" + pictureJson(iconPicture()) + "}\n";
    return out;
}

}  // namespace zorvan::art
