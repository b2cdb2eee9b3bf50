#include "ui/picture_slot.h"

#include <QWidget>

namespace durak::qt {

PictureSlot::PictureSlot(const SlotSpec& slotSpec, bool clickable, QWidget* surface, PictureStore& store)
    : QObject(surface),
      surface_(surface),
      store_(store),
      control_(slotSpec.control),
      clickable_(clickable),
      pos_(slotSpec.left / kTwipsPerPixel, slotSpec.top / kTwipsPerPixel),
      designSize_(slotSpec.width / kTwipsPerPixel, slotSpec.height / kTwipsPerPixel),
      size_(designSize_) {
    setObjectName(QStringLiteral("Image%1").arg(slotSpec.control));
    SetHolder(slotSpec.picture);
}

// Only what a shown slot covers is on screen.
void PictureSlot::Repaint(const QRect& area) const {
    if (visible_) surface_->update(area);
}

// A slot that appears or goes away repaints its area.
void PictureSlot::setVisible(bool visible) {
    if (visible == visible_) return;
    visible_ = visible;
    surface_->update(geometry());
}

// A slot with a picture takes the picture's natural size, which is the design size of
// the holder it belongs to, so a picture is not decoded before it is shown (start-up
// CPU: `window_bench startup`); a blank slot keeps its own design size. Both share the top-left corner, so the old and the new
// area lie in their union.
void PictureSlot::SetHolder(int holder) {
    if (holder == holder_) return;
    const QRect before = geometry();
    holder_ = holder;
    const SlotSpec& shown = SlotOf(holder != 0 ? holder : control_);
    size_ = QSize(shown.width / kTwipsPerPixel, shown.height / kTwipsPerPixel);
    Repaint(before.united(geometry()));
}

QPixmap PictureSlot::Picture() const { return holder_ != 0 ? store_.Picture(holder_) : QPixmap(); }

}  // namespace durak::qt
