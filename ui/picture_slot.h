// One picture slot: a borderless area that shows one picture at its natural size with
// its top-left corner at the slot's position. With no picture it shows nothing (the
// background and the printed text beneath it show through) and keeps its design size,
// so an empty hand slot still has an area that takes clicks.
//
// A slot is not a window of its own: the table surface it belongs to paints every slot
// in one pass, in control order, and decides which slot a click is for. A slot only
// keeps which holder's picture it shows and where, and asks the surface to repaint the
// area it changed. (A window of its own for each of the 99 slots made every repaint
// visit and clip them all: CPU while two computers play at the slow pace,
// `window_bench game 1 slow`.)
#pragma once

#include <QObject>
#include <QPixmap>
#include <QRect>

#include "ui/picture_store.h"
#include "ui/slot_table.h"

class QWidget;

namespace durak::qt {

class PictureSlot : public QObject {
    Q_OBJECT
public:
    // A slot of `surface`, which it asks for repaints; its pictures come from `store`.
    PictureSlot(const SlotSpec& slotSpec, bool clickable, QWidget* surface, PictureStore& store);

    int Control() const { return control_; }
    bool Clickable() const { return clickable_; }

    // Where the slot lies on the surface, in pixels, and whether it is shown.
    QPoint pos() const { return pos_; }
    QSize size() const { return size_; }
    QRect geometry() const { return QRect(pos_, size_); }
    bool isVisible() const { return visible_; }
    bool isHidden() const { return !visible_; }
    void setVisible(bool visible);

    // The holder whose own picture the slot shows, 0 for none.
    int Holder() const { return holder_; }
    // Shows holder `holder`'s own picture (a number a slot starts with); 0 blanks the slot.
    void SetHolder(int holder);
    // The picture the slot shows (null for none), decoded the first time it is asked for.
    QPixmap Picture() const;

private:
    void Repaint(const QRect& area) const;

    QWidget* surface_;
    PictureStore& store_;
    int control_;
    bool clickable_;
    bool visible_ = false;
    QPoint pos_;
    QSize designSize_, size_;
    int holder_ = 0;
};

}  // namespace durak::qt
