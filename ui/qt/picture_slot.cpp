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
    picture_ = picture;
    resize(picture_.isNull() ? designSize_ : picture_.deviceIndependentSize().toSize());
    update();
}

void PictureSlot::paintEvent(QPaintEvent*) {
    if (picture_.isNull()) return;
    QPainter painter(this);
    painter.drawPixmap(0, 0, picture_);
}

}  // namespace durak::qt
