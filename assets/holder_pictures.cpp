#include "assets/holder_pictures.h"

#include <QFile>
#include <QImageReader>

namespace durak::art {

QString HolderPicturePath(int holder) {
    return QStringLiteral(":/pictures/image%1.png").arg(holder);
}

bool HasHolderPicture(int holder) {
    return QFile::exists(HolderPicturePath(holder));
}

// ---------------------------------------------------------------------------
// Loads the sharper twin on high-density screens; the reader marks a "@2x"
// file with device pixel ratio 2 itself.
// ---------------------------------------------------------------------------
QPixmap HolderPicture(int holder, qreal devicePixelRatio) {
    if (!HasHolderPicture(holder)) return {};
    if (devicePixelRatio > 1.0) {
        QImageReader reader(QStringLiteral(":/pictures/image%1@2x.png").arg(holder));
        QImage image = reader.read();
        if (!image.isNull()) {
            image.setDevicePixelRatio(2.0);
            return QPixmap::fromImage(std::move(image));
        }
    }
    return QPixmap(HolderPicturePath(holder));
}

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int side : {64, 128, 256})
        icon.addFile(QStringLiteral(":/pictures/durak-%1.png").arg(side), QSize(side, side));
    return icon;
}

}  // namespace durak::art
