#include "ui/qt/picture_slot.h"

#include <QWidget>

namespace durak::qt {

PictureSlot::PictureSlot(const SlotSpec& slotSpec, bool clickable, QWidget* surface)
    : QObject(surface),
      surface_(surface),
      control_(slotSpec.control),
      clickable_(clickable),
      pos_(slotSpec.left / kTwipsPerPixel, slotSpec.top / kTwipsPerPixel),
      designSize_(slotSpec.width / kTwipsPerPixel, slotSpec.height / kTwipsPerPixel),
      size_(designSize_) {
    setObjectName(QStringLiteral("Image%1").arg(slotSpec.control));
}

// Only what a shown slot covers is on screen.
void PictureSlot::Repaint(const QRect& area) const {
    if (visible_) surface_->update(area);
}

// A slot that appears takes its picture's size first, so the area repainted is the
// picture's; one that goes away leaves its area to what lies beneath.
void PictureSlot::setVisible(bool visible) {
    if (visible == visible_) return;
    if (visible) {
        visible_ = true;
        Decode();
        Repaint(geometry());
    } else {
        Repaint(geometry());
        visible_ = false;
    }
}

// A slot with a picture takes the picture's natural size; a blank one its design size.
// Both corners share the top-left one, so the old and the new area lie in their union.
void PictureSlot::SetPicture(const QPixmap& picture) {
    // The picture it shows already (a blank slot cleared again): nothing to repaint.
    if (pendingHolder_ == 0 && picture.cacheKey() == picture_.cacheKey()) return;
    pendingHolder_ = 0;
    const QRect before = geometry();
    picture_ = picture;
    size_ = picture_.isNull() ? designSize_ : picture_.deviceIndependentSize().toSize();
    Repaint(before.united(geometry()));
}

// Most holders stay hidden until the first deal, and some pictures never show in a
// game: decoding them all at start would make the window slow to open.
void PictureSlot::SetPicture(PictureStore& store, int holder) {
    if (visible_) {
        SetPicture(store.Picture(holder));
        return;
    }
    if (pendingHolder_ == holder) return;
    SetPicture(QPixmap());
    store_ = &store;
    pendingHolder_ = holder;
}

void PictureSlot::SetPictureOf(PictureSlot& other) {
    if (other.pendingHolder_ != 0) SetPicture(*other.store_, other.pendingHolder_);
    else SetPicture(other.picture_);
}

const QPixmap& PictureSlot::Picture() {
    Decode();
    return picture_;
}

void PictureSlot::Decode() {
    if (pendingHolder_ != 0) SetPicture(store_->Picture(pendingHolder_));
}

}  // namespace durak::qt
