// One picture slot: a borderless area that shows one picture at its natural size with
// its top-left corner at the slot's position. With no picture it shows nothing (the
// background and the printed text beneath it show through) and keeps its design size,
// so an empty hand slot still has an area that takes clicks.
//
// A slot is not a window of its own: the table surface it belongs to paints every slot
// in one pass, in control order, and decides which slot a click is for. A slot only
// keeps what it shows and where, and asks the surface to repaint the area it changed.
// Between two computers a move changes a few cards; a window of its own for each of
// the 99 slots would make every repaint visit and clip them all, at a cost far above
// that of drawing the cards.
//
// A holder's picture is decoded only when the slot is shown with it; until then the
// slot keeps its design size, which is the picture's natural size.
#pragma once

#include <QObject>
#include <QPixmap>
#include <QRect>

#include "ui/qt/picture_store.h"
#include "ui/qt/slot_table.h"

class QWidget;

namespace durak::qt {

class PictureSlot : public QObject {
    Q_OBJECT
public:
    // A slot of `surface`, which it asks for repaints.
    PictureSlot(const SlotSpec& slotSpec, bool clickable, QWidget* surface);

    int Control() const { return control_; }
    bool Clickable() const { return clickable_; }

    // Where the slot lies on the surface, in pixels, and whether it is shown.
    QPoint pos() const { return pos_; }
    QSize size() const { return size_; }
    QRect geometry() const { return QRect(pos_, size_); }
    bool isVisible() const { return visible_; }
    bool isHidden() const { return !visible_; }
    void setVisible(bool visible);

    // The picture the slot shows, decoded now if it was not yet.
    const QPixmap& Picture();
    // The picture to paint: a shown slot's picture is always decoded.
    const QPixmap& Shown() const { return picture_; }
    // Shows `picture`; a null pixmap makes the slot blank.
    void SetPicture(const QPixmap& picture);
    // Shows holder `holder`'s picture from `store`: decoded at once when the slot is
    // shown, else when it is.
    void SetPicture(PictureStore& store, int holder);
    // Shows the same picture as `other`, without decoding it for a slot not shown.
    void SetPictureOf(PictureSlot& other);

private:
    void Decode();
    void Repaint(const QRect& area) const;

    QWidget* surface_;
    int control_;
    bool clickable_;
    bool visible_ = false;
    QPoint pos_;
    QSize designSize_, size_;
    QPixmap picture_;
    // A holder's picture waiting to be decoded (0 for none) and where it comes from.
    int pendingHolder_ = 0;
    PictureStore* store_ = nullptr;
};

}  // namespace durak::qt
