#include "platform/board_view.h"

#include <QFontMetricsF>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <cmath>

#include "model/game_state.h"
#include "art/backgrounds.h"
#include "platform/fonts.h"
#include "platform/palette.h"

namespace zorvan {

namespace {

constexpr double kTwipsPerPixel = 15.0;
constexpr double kDefaultW = WINDOW_W_TWIPS / kTwipsPerPixel;  // 640
constexpr double kDefaultH = WINDOW_H_TWIPS / kTwipsPerPixel;  // 700
constexpr double kTwipsPerPoint = 20.0;

double cellX(double c) {
    return BOARD_LEFT + c * SQUARE_W;
}
double cellY(double r) {
    return BOARD_TOP + r * SQUARE_H;
}

// Which variant of a background tile a cell shows: fixed per cell, mixed across the window.
int variantOfCell(double c, double r) {
    const auto ci = static_cast<unsigned>(static_cast<int>(std::floor(c)) + 64);
    const auto ri = static_cast<unsigned>(static_cast<int>(std::floor(r)) + 64);
    unsigned h = ci * 73856093u ^ ri * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return static_cast<int>(h % art::BACKGROUND_VARIANTS);
}

}  // namespace

namespace {

// How long a window size must stand before the pictures are made anew at the new scale.
constexpr int kSettleMs = 120;

}  // namespace

BoardView::BoardView(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, qOverload<>(&QWidget::update));
}

void BoardView::picture(int picture, int shade, double c, double r) {
    if (picture != EMPTY && picture != TITLE_PICTURE && !isValidPiece(picture) &&
        !art::isBackground(picture))
        return;  // not a picture of the set
    if (art::isBackground(picture) && picture != m_background) {
        // The ground beyond the game's cells follows the background: paint everything anew.
        m_background = picture;
        m_imageSize = QSize();
    }
    PaintOp op;
    op.kind = PaintOp::Kind::Picture;
    op.picture = picture;
    op.shade = shade;
    op.c = c;
    op.r = r;
    op.x = cellX(c);
    op.y = cellY(r);
    op.bounds = picture == TITLE_PICTURE ? QRectF(op.x, op.y, TITLE_TWIPS_W, TITLE_TWIPS_H)
                                         : QRectF(op.x, op.y, CELL_TWIPS_W, CELL_TWIPS_H);
    add(std::move(op));
}

void BoardView::outline(int colour, double c, double r) {
    PaintOp op;
    op.kind = PaintOp::Kind::Outline;
    op.colour = colour;
    op.c = c;
    op.r = r;
    op.x = cellX(c);
    op.y = cellY(r);
    // A one-pixel line on the cell's edges; the right and bottom lines lie on the first pixel
    // of the next cells.
    op.bounds = QRectF(op.x, op.y, SQUARE_W + kTwipsPerPixel, SQUARE_H + kTwipsPerPixel);
    add(std::move(op));
}

void BoardView::textAt(double x, double y, const QString& text, int colour, double size,
                       bool bold) {
    if (text.isEmpty()) return;
    PaintOp op;
    op.kind = PaintOp::Kind::Text;
    op.text = text;
    op.colour = colour;
    op.size = size;
    op.bold = bold;
    op.x = x;
    op.y = y;
    const QFontMetricsF metrics(textFont(size * kTwipsPerPoint, bold));
    op.bounds = QRectF(x, y, metrics.horizontalAdvance(text) + metrics.averageCharWidth(),
                       metrics.height());
    add(std::move(op));
}

void BoardView::textAtCell(double c, double r, const QString& text, int colour, double size,
                           bool bold) {
    textAt(cellX(c), cellY(r), text, colour, size, bold);
}

void BoardView::text(double c, double r, std::string_view text, int colour, int size) {
    // The window's font is bold for every status text.
    textAtCell(c, r, QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())), colour,
               size, true);
}

void BoardView::refresh() {
    // Paint now, even inside a long event (the computer thinking).
    if (isVisible()) repaint();
}

void BoardView::clearAll() {
    m_list.clear();
    m_background = 0;
    m_painted = 0;
    m_imageSize = QSize();  // repaint the window colour from scratch
    update();
}

void BoardView::add(PaintOp op) {
    m_list.add(std::move(op));
    if (m_list.wantsCompaction()) {
        // Compaction only drops entries hidden under later ones, so once everything is on the
        // image the image stays right.
        flush();
        m_list.compact();
        m_painted = m_list.ops().size();
    }
    update();
}

double BoardView::zoom() const {
    const double z = std::min(width() / kDefaultW, height() / kDefaultH);
    return z > 0 ? z : 1.0;
}

QPointF BoardView::twipsOf(const QPointF& logicalPos) const {
    return logicalPos * (kTwipsPerPixel / zoom());
}

QPointF BoardView::logicalOf(const QPointF& twips) const {
    return twips * (zoom() / kTwipsPerPixel);
}

void BoardView::rebuildIfNeeded() {
    const double dpr = devicePixelRatioF();
    const QSize logical = size().expandedTo(QSize(1, 1));
    if (logical == m_imageSize && dpr == m_dpr && !m_image.isNull()) return;
    m_imageSize = logical;
    m_imageZoom = zoom();
    m_dpr = dpr;
    m_pictures.setScale(zoom() * dpr / kTwipsPerPixel);
    m_image = QImage(QSize(qRound(logical.width() * dpr), qRound(logical.height() * dpr)),
                     QImage::Format_RGB888);
    m_image.fill(paletteColour(COLOR_GRID));
    groundImage();
    m_painted = 0;
}

void BoardView::groundImage() {
    if (m_background == 0) return;
    // Background tiles on every cell of the picture, whatever its shape; the game's own painting
    // covers those it uses.
    QPainter p(&m_image);
    const double s = m_pictures.scale();
    const double right = m_image.width() / s;
    const double bottom = m_image.height() / s;
    for (int c = static_cast<int>(std::floor(-BOARD_LEFT / double(SQUARE_W))); cellX(c) < right;
         ++c) {
        for (int r = static_cast<int>(std::floor(-BOARD_TOP / double(SQUARE_H))); cellY(r) < bottom;
             ++r) {
            PaintOp op;
            op.picture = m_background;
            op.c = c;
            op.r = r;
            op.x = cellX(c);
            op.y = cellY(r);
            paintOp(p, op);
        }
    }
}

void BoardView::flush() {
    rebuildIfNeeded();
    const auto& ops = m_list.ops();
    if (m_painted >= ops.size()) return;
    m_image.setDevicePixelRatio(1.0);
    QPainter p(&m_image);
    for (size_t i = m_painted; i < ops.size(); ++i) paintOp(p, ops[i]);
    m_painted = ops.size();
}

void BoardView::paintOp(QPainter& p, const PaintOp& op) {
    const double s = m_pictures.scale();
    const int x0 = static_cast<int>(std::lround(op.x * s));
    const int y0 = static_cast<int>(std::lround(op.y * s));
    switch (op.kind) {
        case PaintOp::Kind::Picture: {
            if (op.picture == TITLE_PICTURE) {
                p.drawImage(QPoint(x0, y0), m_pictures.title());
                return;
            }
            // Crop the picture to the cell's own pixels so neighbouring cells meet exactly.
            const int w = static_cast<int>(std::lround((op.x + CELL_TWIPS_W) * s)) - x0;
            const int h = static_cast<int>(std::lround((op.y + CELL_TWIPS_H) * s)) - y0;
            p.drawImage(QPoint(x0, y0),
                        m_pictures.cell(op.picture, op.shade, variantOfCell(op.c, op.r)),
                        QRect(0, 0, w, h));
            return;
        }
        case PaintOp::Kind::Outline: {
            const int x1 = static_cast<int>(std::lround((op.x + SQUARE_W) * s));
            const int y1 = static_cast<int>(std::lround((op.y + SQUARE_H) * s));
            const int line = std::max(1, static_cast<int>(std::lround(kTwipsPerPixel * s)));
            const QColor colour = paletteColour(op.colour);
            p.fillRect(QRect(x0, y0, x1 - x0 + line, line), colour);
            p.fillRect(QRect(x0, y1, x1 - x0 + line, line), colour);
            p.fillRect(QRect(x0, y0, line, y1 - y0 + line), colour);
            p.fillRect(QRect(x1, y0, line, y1 - y0 + line), colour);
            return;
        }
        case PaintOp::Kind::Text: {
            const QFont font = textFont(op.size * kTwipsPerPoint * s, op.bold);
            p.setFont(font);
            p.setPen(paletteColour(op.colour));
            p.drawText(QPointF(x0, y0 + QFontMetricsF(font).ascent()), op.text);
            return;
        }
    }
}

const QImage& BoardView::image() {
    flush();
    return m_image;
}

QColor BoardView::colourAtTwips(double x, double y) {
    const QImage& img = image();
    const double s = m_pictures.scale();
    const QPoint at(static_cast<int>(std::lround(x * s)), static_cast<int>(std::lround(y * s)));
    return img.valid(at) ? img.pixelColor(at) : QColor();
}

void BoardView::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const bool resizing = m_settle.isActive() && !m_image.isNull() && size() != m_imageSize &&
                          m_painted == m_list.ops().size();
    if (resizing) {
        // A quick stand-in while the window is being resized: the last picture, scaled (fast
        // rather than smooth; the sharp picture follows once the size stands).
        p.fillRect(rect(), paletteColour(COLOR_GRID));
        const double k = zoom() / m_imageZoom;
        m_image.setDevicePixelRatio(m_dpr);
        p.drawImage(QRectF(0, 0, m_imageSize.width() * k, m_imageSize.height() * k), m_image);
        return;
    }
    flush();
    // One device pixel of the picture to each device pixel of the screen; the painter clips to
    // the region that needs painting.
    m_image.setDevicePixelRatio(m_dpr);
    p.setClipRegion(event->region());
    p.drawImage(QPointF(0, 0), m_image);
    emit painted();
}

void BoardView::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!m_image.isNull()) m_settle.start();
    update();
    emit resized();
}

void BoardView::mousePressEvent(QMouseEvent* event) {
    int button = 0;
    if (event->button() == Qt::LeftButton) button = BUTTON_LEFT;
    if (event->button() == Qt::RightButton) button = BUTTON_RIGHT;
    if (button == 0) return;
    const QPointF t = twipsOf(event->position());
    emit pressed(button, t.x(), t.y());
}

}  // namespace zorvan
