#include "assets/holder_pictures.h"

#include <QFile>

namespace durak::art {

namespace {
QString PicturePath(int holder, int scale) {
    return scale > 1 ? QStringLiteral(":/pictures/image%1@2x.png").arg(holder)
                     : QStringLiteral(":/pictures/image%1.png").arg(holder);
}
}  // namespace

bool HasHolderPicture(int holder) { return QFile::exists(PicturePath(holder, 1)); }

QImage HolderImage(int holder, int scale) {
    QImage image(PicturePath(holder, scale));
    image.setDevicePixelRatio(scale > 1 ? 2.0 : 1.0);
    return image;
}

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
