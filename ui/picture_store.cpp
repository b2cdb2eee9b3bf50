#include "ui/picture_store.h"

#include <QGuiApplication>

#include "assets/holder_pictures.h"

namespace durak::qt {

QPixmap PictureStore::Picture(int holder) {
    auto it = loaded_.find(holder);
    if (it == loaded_.end()) {
        const qreal ratio = qApp ? qApp->devicePixelRatio() : 1.0;
        it = loaded_.emplace(holder, art::HolderPicture(holder, ratio)).first;
    }
    return it->second;
}

}  // namespace durak::qt
