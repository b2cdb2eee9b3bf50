// One picture slot: a borderless area that shows one picture at its natural size with
// its top-left corner at the slot's position. With no picture it shows nothing (the
// background and the printed text beneath it show through) and keeps its design size,
// so an empty hand slot still takes its clicks.
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

signals:
    // A press and release on the slot, like a button: raised for clickable slots only.
    void clicked(int control);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool ReleasedOverSelf(QPoint local) const;

    int control_;
    bool clickable_;
    bool pressed_ = false;
    QSize designSize_;
    QPixmap picture_;
};

}  // namespace durak::qt
