#include "ui/qt/picture_slot.h"

#include <QPainter>

namespace durak::qt {

PictureSlot::PictureSlot(const SlotSpec& slotSpec, bool clickable, QWidget* parent)
    : QWidget(parent),
      control_(slotSpec.control),
      clickable_(clickable),
      designSize_(slotSpec.width / kTwipsPerPixel, slotSpec.height / kTwipsPerPixel) {
    setObjectName(QStringLiteral("Image%1").arg(slotSpec.control));
    // Nothing of its own is painted under the picture: a blank slot is see-through.
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    // Presses and releases go to the table surface beneath, which finds the slot meant.
    setAttribute(Qt::WA_TransparentForMouseEvents);
    move(slotSpec.left / kTwipsPerPixel, slotSpec.top / kTwipsPerPixel);
    resize(designSize_);
}

// A slot with a picture takes the picture's natural size; a blank one its design size.
void PictureSlot::SetPicture(const QPixmap& picture) {
    // The picture it shows already (a blank slot cleared again): nothing to repaint.
    if (pendingHolder_ == 0 && picture.cacheKey() == picture_.cacheKey()) return;
    pendingHolder_ = 0;
    picture_ = picture;
    resize(picture_.isNull() ? designSize_ : picture_.deviceIndependentSize().toSize());
    update();
}

// Most holders stay hidden until the first deal, and some pictures never show in a
// game: decoding them all at start would make the window slow to open.
void PictureSlot::SetPicture(PictureStore& store, int holder) {
    if (isVisible()) {
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

// Sent just before the slot appears, so it takes the picture's size before it paints.
void PictureSlot::showEvent(QShowEvent* event) {
    Decode();
    QWidget::showEvent(event);
}

void PictureSlot::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

}  // namespace durak::qt
