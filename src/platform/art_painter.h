// The window's painter for the game's pictures (art/): replays a picture's steps with QPainter,
// and wraps the background tiles made pixel by pixel in images.
#pragma once

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QSize>

#include "art/picture.h"

namespace zorvan {

// Draws `picture` in the painter's coordinates (its design box), antialiased; the painter's
// state is as it was afterwards.
void paintPicture(QPainter& p, const art::Picture& picture);

// A picture's path as Qt's.
QPainterPath toPainterPath(const art::Path& path);

// A background tile (identifiers 22..26, variant 0..3) made at a device size.
QImage renderBackgroundTile(int id, QSize deviceSize, int variant);

// The window icon in the usual sizes.
QIcon gameIcon();

}  // namespace zorvan
