#include "ui/qt/picture_slot.h"

#include <QMouseEvent>
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

// Whether the point is still on this slot as seen: inside it and not under a later slot.
bool PictureSlot::ReleasedOverSelf(QPoint local) const {
    if (!rect().contains(local)) return false;
    const QWidget* parent = parentWidget();
    return !parent || parent->childAt(mapToParent(local)) == this;
}

// A click is a press and a release of the left button over the same slot. A release
// without its press (the press came while the game was busy and was dropped) is no click.
void PictureSlot::mousePressEvent(QMouseEvent* event) {
    if (!clickable_ || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    pressed_ = true;
    event->accept();
}

void PictureSlot::mouseReleaseEvent(QMouseEvent* event) {
    if (!clickable_ || event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    const bool wasPressed = pressed_;
    pressed_ = false;
    event->accept();
    if (wasPressed && ReleasedOverSelf(event->position().toPoint())) emit clicked(control_);
}

}  // namespace durak::qt
