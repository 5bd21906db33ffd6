// The window's pictures as the window paints them, for the page's canvas painter to be compared
// with: every square, piece, pressed button, the title and the icon at a few scales, each on an
// opaque ground, written as PNG files with a list of them (manifest.json).
//
//   zorvan-art-shots OUTDIR
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QString>
#include <cstdio>

#include "art/artwork.h"
#include "model/piece.h"
#include "platform/art_painter.h"
#include "platform/picture_set.h"

namespace {

using zorvan::PictureSet;

// What the title and the icon are shown over: an opaque colour of their own.
constexpr QRgb kBackdrop = qRgb(28, 104, 52);

struct Writer {
    QDir dir;
    QString manifest = QStringLiteral("[\n");
    bool ok = true;

    void add(const QImage& image, const QString& name, const QString& fields) {
        const QString file = name + QStringLiteral(".png");
        ok = image.convertToFormat(QImage::Format_RGB32).save(dir.filePath(file), "PNG") && ok;
        if (manifest.size() > 2) manifest += QStringLiteral(",\n");
        manifest += QStringLiteral("{\"file\":\"%1\",\"width\":%2,\"height\":%3,%4}")
                        .arg(file)
                        .arg(image.width())
                        .arg(image.height())
                        .arg(fields);
    }
};

QImage onBackdrop(const QImage& picture) {
    QImage out(picture.size(), QImage::Format_RGB32);
    out.fill(kBackdrop);
    QPainter p(&out);
    p.drawImage(0, 0, picture);
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: zorvan-art-shots OUTDIR\n");
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    Writer out{QDir(QString::fromLocal8Bit(argv[1]))};
    if (!out.dir.mkpath(QStringLiteral("."))) {
        std::fprintf(stderr, "zorvan-art-shots: cannot make %s\n", argv[1]);
        return 1;
    }
    const QString backdrop = QStringLiteral("\"backdrop\":[%1,%2,%3]")
                                 .arg(qRed(kBackdrop))
                                 .arg(qGreen(kBackdrop))
                                 .arg(qBlue(kBackdrop));
    // Pixels a cell: the default window, a screen of twice the density, and a size between.
    for (const double scale : {1.0, 2.0, 1.37}) {
        PictureSet set;
        set.setScale(scale / 15.0);
        const QString tag = QString::number(scale);
        for (int code = -zorvan::KIND_COUNT; code <= zorvan::KIND_COUNT; ++code) {
            const int shade = (code + zorvan::KIND_COUNT) % 2;  // each piece on one of the shades
            out.add(set.cell(code, code == zorvan::EMPTY ? 0 : shade),
                    QStringLiteral("cell%1s%2@%3").arg(code).arg(shade).arg(tag),
                    QStringLiteral("\"picture\":\"cell\",\"code\":%1,\"ground\":%2")
                        .arg(code)
                        .arg(code == zorvan::EMPTY ? 0 : shade));
        }
        out.add(set.cell(zorvan::EMPTY, 1), QStringLiteral("cell0s1@%1").arg(tag),
                QStringLiteral("\"picture\":\"cell\",\"code\":0,\"ground\":1"));
        for (int code : {0, -zorvan::QEEN, -zorvan::ROOK, zorvan::BISH, zorvan::KNIG})
            out.add(set.pressed(code), QStringLiteral("pressed%1@%2").arg(code).arg(tag),
                    QStringLiteral("\"picture\":\"cell\",\"code\":%1,\"ground\":2").arg(code));
        out.add(onBackdrop(set.title()), QStringLiteral("title@%1").arg(tag),
                QStringLiteral("\"picture\":\"title\",%1").arg(backdrop));
    }
    const QIcon icon = zorvan::gameIcon();
    for (int size : {32, 64})
        out.add(onBackdrop(icon.pixmap(size).toImage()), QStringLiteral("icon%1").arg(size),
                QStringLiteral("\"picture\":\"icon\",%1").arg(backdrop));
    out.manifest += QStringLiteral("\n]\n");
    QFile list(out.dir.filePath(QStringLiteral("manifest.json")));
    if (!list.open(QIODevice::WriteOnly) || list.write(out.manifest.toUtf8()) < 0 || !out.ok) {
        std::fprintf(stderr, "zorvan-art-shots: writing into %s failed\n", argv[1]);
        return 1;
    }
    return 0;
}
