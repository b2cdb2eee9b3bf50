// One picture slot: a borderless area that shows one picture at its natural size with
// its top-left corner at the slot's position. With no picture it shows nothing (the
// background and the printed text beneath it show through) and keeps its design size,
// so an empty hand slot still has an area that takes clicks. Which slot a click is for
// is decided by the table surface, which sees all slots at once; a slot itself lets
// the mouse pass.
#pragma once

#include <QPixmap>
#include <QWidget>

#include "ui/qt/slot_table.h"

namespace durak::qt {

class PictureSlot : public QWidget {
    Q_OBJECT
public:
    PictureSlot(const SlotSpec& slotSpec, bool clickable, QWidget* parent);

    int Control() const { return control_; }
    bool Clickable() const { return clickable_; }
    const QPixmap& Picture() const { return picture_; }
    // Shows `picture`; a null pixmap makes the slot blank.
    void SetPicture(const QPixmap& picture);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int control_;
    bool clickable_;
    QSize designSize_;
    QPixmap picture_;
};

}  // namespace durak::qt
