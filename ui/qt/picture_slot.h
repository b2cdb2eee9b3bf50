// One picture slot: a borderless area that shows one picture at its natural size with
// its top-left corner at the slot's position. With no picture it shows nothing (the
// background and the printed text beneath it show through) and keeps its design size,
// so an empty hand slot still has an area that takes clicks. Which slot a click is for
// is decided by the table surface, which sees all slots at once; a slot itself lets
// the mouse pass. A holder's picture is decoded only when the slot appears with it;
// until then the slot keeps its design size, which is the picture's natural size.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "ui/qt/picture_store.h"
#include "ui/qt/slot_table.h"

namespace durak::qt {

class PictureSlot : public QWidget {
    Q_OBJECT
public:
    PictureSlot(const SlotSpec& slotSpec, bool clickable, QWidget* parent);

    int Control() const { return control_; }
    bool Clickable() const { return clickable_; }
    // The picture the slot shows, decoded now if it was not yet.
    const QPixmap& Picture();
    // Shows `picture`; a null pixmap makes the slot blank.
    void SetPicture(const QPixmap& picture);
    // Shows holder `holder`'s picture from `store`: decoded at once when the slot is
    // on screen, else when it appears.
    void SetPicture(PictureStore& store, int holder);
    // Shows the same picture as `other`, without decoding it for a slot not on screen.
    void SetPictureOf(PictureSlot& other);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void Decode();

    int control_;
    bool clickable_;
    QSize designSize_;
    QPixmap picture_;
    // A holder's picture waiting to be decoded (0 for none) and where it comes from.
    int pendingHolder_ = 0;
    PictureStore* store_ = nullptr;
};

}  // namespace durak::qt
