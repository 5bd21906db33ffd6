#include "platform/art_painter.h"

#include <QBrush>
#include <QLinearGradient>
#include <QPen>
#include <QPixmap>
#include <QRadialGradient>
#include <vector>

#include "art/artwork.h"
#include "art/backgrounds.h"

namespace zorvan {

namespace {

QColor toColour(const art::Colour& c) {
    return QColor(c.r, c.g, c.b, c.a);
}

QBrush toBrush(const art::Paint& paint) {
    const auto withStops = [&paint](QGradient& g) {
        for (const art::Stop& s : paint.stops) g.setColorAt(s.at, toColour(s.colour));
        return QBrush(g);
    };
    switch (paint.kind) {
        case art::Paint::Kind::Solid:
            return QBrush(toColour(paint.colour));
        case art::Paint::Kind::Linear: {
            QLinearGradient g(paint.from.x, paint.from.y, paint.to.x, paint.to.y);
            return withStops(g);
        }
        case art::Paint::Kind::Radial: {
            QRadialGradient g(QPointF(paint.from.x, paint.from.y), paint.radius);
            return withStops(g);
        }
        case art::Paint::Kind::None:
            break;
    }
    return Qt::NoBrush;
}

QPen toPen(const art::Pen& pen) {
    if (pen.width <= 0) return Qt::NoPen;
    static constexpr Qt::PenCapStyle caps[] = {Qt::FlatCap, Qt::SquareCap, Qt::RoundCap};
    static constexpr Qt::PenJoinStyle joins[] = {Qt::MiterJoin, Qt::BevelJoin, Qt::RoundJoin};
    return QPen(toColour(pen.colour), pen.width, Qt::SolidLine, caps[int(pen.cap)],
                joins[int(pen.join)]);
}

}  // namespace

QPainterPath toPainterPath(const art::Path& path) {
    QPainterPath out;
    out.setFillRule(path.rule == art::FillRule::NonZero ? Qt::WindingFill : Qt::OddEvenFill);
    size_t at = 0;
    const auto& pt = path.points;
    for (art::Verb verb : path.verbs) {
        switch (verb) {
            case art::Verb::Move:
                out.moveTo(pt[at].x, pt[at].y);
                ++at;
                break;
            case art::Verb::Line:
                out.lineTo(pt[at].x, pt[at].y);
                ++at;
                break;
            case art::Verb::Cubic:
                out.cubicTo(pt[at].x, pt[at].y, pt[at + 1].x, pt[at + 1].y, pt[at + 2].x,
                            pt[at + 2].y);
                at += 3;
                break;
            case art::Verb::Close:
                out.closeSubpath();
                break;
        }
    }
    return out;
}

namespace {

// The steps of a picture with their paths made once, to be drawn at several sizes.
struct Prepared {
    const art::Picture& picture;
    std::vector<QPainterPath> paths;

    explicit Prepared(const art::Picture& p) : picture(p) {
        for (const art::Op& op : p.ops())
            if (op.kind == art::Op::Kind::Draw) paths.push_back(toPainterPath(op.path));
    }

    void paint(QPainter& p) const {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
        size_t path = 0;
        for (const art::Op& op : picture.ops()) {
            switch (op.kind) {
                case art::Op::Kind::Save:
                    p.save();
                    break;
                case art::Op::Kind::Restore:
                    p.restore();
                    break;
                case art::Op::Kind::Transform: {
                    const art::Matrix& m = op.matrix;
                    p.setTransform(QTransform(m.a, m.b, m.c, m.d, m.e, m.f), true);
                    break;
                }
                case art::Op::Kind::Draw:
                    p.setBrush(toBrush(op.fill));
                    p.setPen(toPen(op.pen));
                    p.drawPath(paths[path++]);
                    break;
            }
        }
        p.restore();
    }
};

}  // namespace

void paintPicture(QPainter& p, const art::Picture& picture) {
    Prepared(picture).paint(p);
}

QImage renderBackgroundTile(int id, QSize deviceSize, int variant) {
    const QSize size = deviceSize.expandedTo(QSize(1, 1));
    QImage rgba(size, QImage::Format_RGBA8888);
    art::renderBackground(id, variant, size.width(), size.height(), rgba.bits());
    return rgba.convertToFormat(QImage::Format_RGB32);
}

QIcon gameIcon() {
    const art::Picture picture = art::iconPicture();
    const Prepared prepared(picture);
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.scale(size / art::ICON_DESIGN_SIZE, size / art::ICON_DESIGN_SIZE);
        prepared.paint(p);
        p.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

}  // namespace zorvan
