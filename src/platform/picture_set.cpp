#include "platform/picture_set.h"

#include <QPainter>
#include <cmath>

#include "art/artwork.h"
#include "art/backgrounds.h"
#include "model/game_state.h"
#include "platform/art_painter.h"

namespace zorvan {

namespace {

constexpr int kPressed = 2;
constexpr int kTitleKey = 40;   // beyond every piece code and background
constexpr int kGroundKey = 41;  // a square's ground alone

int cacheKey(int picture, int ground, int variant) {
    return ((picture + 64) * 4 + ground) * 8 + variant;
}

// The picture a cacheKey was made of.
int pictureOfKey(int key) {
    return key / 32 - 64;
}

// A piece alone, on a transparent ground: keys above every cacheKey.
int layerKey(int code) {
    return 1 << 16 | (code + 64);
}

}  // namespace

void PictureSet::setScale(double devicePixelsPerTwip) {
    if (devicePixelsPerTwip == m_scale) return;
    m_scale = devicePixelsPerTwip;
    m_cache.clear();
}

QSize PictureSet::cellSize() const {
    return QSize(static_cast<int>(std::ceil(CELL_TWIPS_W * m_scale - 1e-6)),
                 static_cast<int>(std::ceil(CELL_TWIPS_H * m_scale - 1e-6)))
        .expandedTo(QSize(1, 1));
}

const QImage& PictureSet::cached(int key, const std::function<QImage()>& make) {
    auto it = m_cache.find(key);
    if (it == m_cache.end()) it = m_cache.emplace(key, make()).first;
    return it->second;
}

// A square's ground: the two board shades and the lit ground of a pressed button.
const QImage& PictureSet::ground(int ground) {
    return cached(cacheKey(kGroundKey, ground, 0), [this, ground] {
        QImage image(cellSize(), QImage::Format_RGB32);
        QPainter p(&image);
        p.scale(image.width() / art::CELL_DESIGN_W, image.height() / art::CELL_DESIGN_H);
        paintPicture(p, art::squarePicture(ground == kPressed ? art::Ground::Pressed
                                                              : art::groundOfShade(ground)));
        return image;
    });
}

// A piece drawn once on a transparent ground, laid on every ground it is shown on.
const QImage& PictureSet::layer(int code) {
    return cached(layerKey(code), [this, code] {
        QImage image(cellSize(), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.scale(image.width() / art::CELL_DESIGN_W, image.height() / art::CELL_DESIGN_H);
        paintPicture(p, art::piecePicture(code));
        return image;
    });
}

const QImage& PictureSet::compose(int code, int groundKind) {
    return cached(cacheKey(code, groundKind, 0), [this, code, groundKind] {
        QImage image = ground(groundKind).copy();
        if (code != EMPTY) {
            QPainter p(&image);
            p.drawImage(0, 0, layer(code));
        }
        return image;
    });
}

const QImage& PictureSet::cell(int picture, int shade, int variant) {
    if (art::isBackground(picture)) {
        if (picture != m_background) {
            // One background shows at a time: the tiles of the one it replaces go.
            std::erase_if(m_cache, [picture](const auto& entry) {
                const int shown = pictureOfKey(entry.first);
                return entry.first < layerKey(-64) && art::isBackground(shown) && shown != picture;
            });
            m_background = picture;
        }
        constexpr int kVariants = art::BACKGROUND_VARIANTS;
        variant = ((variant % kVariants) + kVariants) % kVariants;
        return cached(cacheKey(picture, 0, variant),
                      [&] { return renderBackgroundTile(picture, cellSize(), variant); });
    }
    if (!isValidPiece(picture)) picture = EMPTY;
    return compose(picture, shade == 1 ? 1 : 0);
}

const QImage& PictureSet::pressed(int code) {
    return compose(isValidPiece(code) ? code : EMPTY, kPressed);
}

const QImage& PictureSet::title() {
    return cached(cacheKey(kTitleKey, 0, 0), [this] {
        const QSize size(static_cast<int>(std::ceil(TITLE_TWIPS_W * m_scale - 1e-6)),
                         static_cast<int>(std::ceil(TITLE_TWIPS_H * m_scale - 1e-6)));
        QImage image(size.expandedTo(QSize(1, 1)), QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter p(&image);
        p.scale(image.width() / art::TITLE_DESIGN_W, image.height() / art::TITLE_DESIGN_H);
        paintPicture(p, art::titlePicture());
        return image;
    });
}

}  // namespace zorvan
