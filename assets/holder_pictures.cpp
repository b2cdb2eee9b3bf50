#include "assets/holder_pictures.h"

#include <QFile>
#include <QResource>

#include "assets/picture_pixels.h"

namespace durak::art {

QString HolderPicturePath(int holder, int scale) {
    return scale > 1 ? QStringLiteral(":/pictures/image%1@2x.pixels").arg(holder)
                     : QStringLiteral(":/pictures/image%1.pixels").arg(holder);
}

bool HasHolderPicture(int holder) {
    return QFile::exists(HolderPicturePath(holder));
}

// The stored pixels are unpacked from the resource and copied once into the image;
// no PNG is decoded while the game runs.
QImage HolderImage(int holder, int scale) {
    const QResource resource(HolderPicturePath(holder, scale));
    if (!resource.isValid()) return {};
    QImage image = DecodePixels(resource.uncompressedData());
    if (!image.isNull()) image.setDevicePixelRatio(scale > 1 ? 2.0 : 1.0);
    return image;
}

// ---------------------------------------------------------------------------
// The pixmap takes the image's pixels over in place, converted to the form the
// screen paints fastest, as it would a decoded PNG.
// ---------------------------------------------------------------------------
QPixmap HolderPicture(int holder, qreal devicePixelRatio) {
    if (devicePixelRatio > 1.0) {
        QImage twin = HolderImage(holder, 2);
        if (!twin.isNull()) return QPixmap::fromImage(std::move(twin));
    }
    return QPixmap::fromImage(HolderImage(holder, 1));
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int side : {64, 128, 256})
        icon.addFile(QStringLiteral(":/pictures/durak-%1.png").arg(side), QSize(side, side));
    return icon;
}

}  // namespace durak::art
