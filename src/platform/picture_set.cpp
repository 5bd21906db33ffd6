#include "platform/picture_set.h"

#include <QPainter>
#include <cmath>

#include "model/game_state.h"
#include "platform/artwork.h"

namespace zorvan {

namespace {

constexpr int kPressed = 2;
constexpr int kTitleKey = 40;  // beyond every piece code and background

int cacheKey(int picture, int ground, int variant) {
    return ((picture + 64) * 4 + ground) * 8 + variant;
}

}  // namespace

void PictureSet::setScale(double devicePixelsPerTwip) {
    if (devicePixelsPerTwip == m_scale) return;
    m_scale = devicePixelsPerTwip;
    m_cache.clear();
}

QImage PictureSet::render(int picture, int ground, int variant) const {
    const QSize size(static_cast<int>(std::ceil(CELL_TWIPS_W * m_scale - 1e-6)),
                     static_cast<int>(std::ceil(CELL_TWIPS_H * m_scale - 1e-6)));
    if (isBackground(picture)) return renderBackgroundTile(picture, size, variant);
    QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(image.width() / CELL_DESIGN_W, image.height() / CELL_DESIGN_H);
    const Ground g = ground == kPressed ? Ground::Pressed : groundOfShade(ground);
    paintSquare(p, g);
    const int kind = kindOf(picture);
    if (isShogiKind(kind))
        paintShogiPiece(p, picture);
    else if (isChessKind(kind))
        paintChessPiece(p, kind, picture < 0);
    return image;
}

const QImage& PictureSet::cell(int picture, int shade, int variant) {
    if (!isBackground(picture) && !isValidPiece(picture)) picture = EMPTY;
    const int ground = shade == 1 ? 1 : 0;
    variant = isBackground(picture)
                  ? ((variant % BACKGROUND_VARIANTS) + BACKGROUND_VARIANTS) % BACKGROUND_VARIANTS
                  : 0;
    const int key = cacheKey(picture, isBackground(picture) ? 0 : ground, variant);
    auto it = m_cache.find(key);
    if (it == m_cache.end()) it = m_cache.emplace(key, render(picture, ground, variant)).first;
    return it->second;
}

const QImage& PictureSet::pressed(int code) {
    if (!isValidPiece(code)) code = EMPTY;
    const int key = cacheKey(code, kPressed, 0);
    auto it = m_cache.find(key);
    if (it == m_cache.end()) it = m_cache.emplace(key, render(code, kPressed, 0)).first;
    return it->second;
}

const QImage& PictureSet::title() {
    const int key = cacheKey(kTitleKey, 0, 0);
    auto it = m_cache.find(key);
    if (it == m_cache.end()) {
        const QSize size(static_cast<int>(std::ceil(TITLE_TWIPS_W * m_scale - 1e-6)),
                         static_cast<int>(std::ceil(TITLE_TWIPS_H * m_scale - 1e-6)));
        QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.scale(image.width() / TITLE_DESIGN_W, image.height() / TITLE_DESIGN_H);
        paintTitle(p);
        p.end();
        it = m_cache.emplace(key, std::move(image)).first;
    }
    return it->second;
}

}  // namespace zorvan
