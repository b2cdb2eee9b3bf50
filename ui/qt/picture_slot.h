// One picture slot: a borderless area that shows one picture at its natural size with
// its top-left corner at the slot's position. With no picture it shows nothing (the
// background and the printed text beneath it show through) and keeps its design size,
// so an empty hand slot still takes its clicks. A holder's picture is decoded only when
// the slot appears with it; until then the slot keeps its design size, which is the
// picture's natural size.
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

signals:
    // A press and release on the slot, like a button: raised for clickable slots only.
    void clicked(int control);

protected:
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool ReleasedOverSelf(QPoint local) const;
    void Decode();

    int control_;
    bool clickable_;
    bool pressed_ = false;
    QSize designSize_;
    QPixmap picture_;
    // A holder's picture waiting to be decoded (0 for none) and where it comes from.
    int pendingHolder_ = 0;
    PictureStore* store_ = nullptr;
};

}  // namespace durak::qt
