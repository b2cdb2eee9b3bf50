// Playing the table with the keyboard: the focus moves along the cards of the hand and
// to the action button, and Space or Return clicks what it is on. A key is user input
// like a click: while the game is busy the input gate eats it before it comes here.
#include <QApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QToolTip>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/input_dispatch.h"
#include "ui/input_gate.h"
#include "ui/table_accessibility.h"
#include "ui/table_surface.h"

namespace durak::qt {

namespace {
// The hand slot controls in slot order.
int HandControl(int s) { return HandSlotControl(s); }
}  // namespace

int TableSurface::ShownHolder(int control) const {
    const PictureSlot* slot = Slot(control);
    if (!slot || slot->isHidden()) return 0;
    const int holder = slot->Holder();
    return IsBlankIndex(holder) ? 0 : holder;
}

bool TableSurface::HoldsCard(int control) const {
    return HandSlotOfControl(control) != 0 && CardOfPictureIndex(ShownHolder(control)) != 0;
}

// The nearest card from `control` in the direction `step` (+1 right, -1 left), slot
// order; 0 when there is none.
int TableSurface::NeighbourCard(int control, int step) const {
    for (int s = HandSlotOfControl(control) + step; s >= 1 && s <= 12; s += step)
        if (HoldsCard(HandControl(s))) return HandControl(s);
    return 0;
}

// The focus is on a card of the hand or on the button. Before any key has chosen, it is
// on the first card, or on the button while the hand is empty.
int TableSurface::FocusedControl() const {
    if (focus_ == kActionButtonSlot || HoldsCard(focus_)) return focus_;
    const int first = FirstCard();
    return first ? first : kActionButtonSlot;
}

int TableSurface::FirstCard() const {
    return HoldsCard(HandControl(1)) ? HandControl(1) : NeighbourCard(HandControl(1), +1);
}

QRect TableSurface::FocusRingArea(int control) const {
    const PictureSlot* slot = Slot(control);
    if (!slot) return {};
    return slot->geometry().adjusted(-3, -3, 3, 3);
}

// The ring lies just outside the card or the button, in the style's focus colour, so it
// never covers the corner index of the card it marks.
void TableSurface::PaintFocusRing(QPainter& painter) const {
    const QRect ring = FocusRingArea(FocusedControl());
    if (ring.isNull()) return;
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(ring).adjusted(1, 1, -1, -1));
}

void TableSurface::MoveFocus(int control) {
    const int before = FocusedControl();
    focus_ = control;
    if (HandSlotOfControl(control) != 0) lastHandFocus_ = control;
    const int after = FocusedControl();
    if (before == after) return;
    if (keyboardInUse_) {
        update(FocusRingArea(before));
        update(FocusRingArea(after));
    }
    if (accessibility_) accessibility_->FocusMoved();
}

// A click made with a key or by a screen reader's press goes where a mouse click goes,
// and like a mouse click it is dropped while the game is busy.
void TableSurface::ActivateSlot(int control) {
    if (gate_ && gate_->IsClosed()) return;
    if (ClickEventOf(control) == nullptr) return;
    emit slotClicked(control);
}

// The action button's words, for mouse users as for a screen reader.
bool TableSurface::event(QEvent* event) {
    if (event->type() == QEvent::ToolTip) {
        const auto* help = static_cast<QHelpEvent*>(event);
        const PictureSlot* target = ClickTargetAt(help->pos());
        if (target && target->Control() == kActionButtonSlot)
            QToolTip::showText(help->globalPos(), QStringLiteral("Беру / Бито"), this);
        else
            QToolTip::hideText();
        return true;
    }
    return QWidget::event(event);
}

void TableSurface::keyPressEvent(QKeyEvent* event) {
    const int at = FocusedControl();
    const bool onCard = HandSlotOfControl(at) != 0;
    int to = -1;  // where the focus goes; -1 for nowhere
    switch (event->key()) {
        case Qt::Key_Left: if (onCard) to = NeighbourCard(at, -1); break;
        case Qt::Key_Right: if (onCard) to = NeighbourCard(at, +1); break;
        case Qt::Key_Home: to = FirstCard(); break;
        case Qt::Key_End:
            to = HoldsCard(HandControl(12)) ? HandControl(12) : NeighbourCard(HandControl(12), -1);
            break;
        case Qt::Key_Space:
        case Qt::Key_Return:
        case Qt::Key_Enter:
            break;
        case Qt::Key_F10:
            OpenMenuBar();
            event->accept();
            return;
        default:
            return QWidget::keyPressEvent(event);
    }
    event->accept();
    if (!keyboardInUse_) {
        keyboardInUse_ = true;
        update(FocusRingArea(at));
    }
    if (to > 0) MoveFocus(to);
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) ActivateSlot(at);
}

// Tab and Shift+Tab go between the hand and the action button: back to the card that
// had the focus, else the first card.
bool TableSurface::focusNextPrevChild(bool) {
    const int at = FocusedControl();
    int to = kActionButtonSlot;
    if (at == kActionButtonSlot) {
        to = HoldsCard(lastHandFocus_) ? lastHandFocus_ : FirstCard();
        if (to == 0) to = kActionButtonSlot;
    }
    if (!keyboardInUse_) {
        keyboardInUse_ = true;
        update(FocusRingArea(at));
    }
    MoveFocus(to);
    return true;
}

void TableSurface::focusInEvent(QFocusEvent* event) {
    update(FocusRingArea(FocusedControl()));
    QWidget::focusInEvent(event);
    if (accessibility_) accessibility_->FocusMoved();
}

void TableSurface::focusOutEvent(QFocusEvent* event) {
    update(FocusRingArea(FocusedControl()));
    QWidget::focusOutEvent(event);
}

// F10 does what a lone Alt does: the menu bar takes the keyboard, its first item
// highlighted. The menu bar listens for Alt on the window, so the same two events go there.
void TableSurface::OpenMenuBar() {
    QKeyEvent over(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    over.ignore();
    QCoreApplication::sendEvent(this, &over);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(this, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &release);
}

// When the focused card leaves the hand, the focus goes to the next card to the right,
// else the one to the left, else to the button. A screen reader hears what changed.
void TableSurface::ScreenChanged(int control) {
    if (control != 0 && control == focus_ && !HoldsCard(focus_)) {
        int to = NeighbourCard(focus_, +1);
        if (to == 0) to = NeighbourCard(focus_, -1);
        if (to == 0) to = kActionButtonSlot;
        MoveFocus(to);
    }
    if (accessibility_ && QAccessible::isActive()) accessibility_->ScreenChanged();
}

TableAccessibility* TableSurface::Accessibility() {
    if (!accessibility_) accessibility_ = new TableAccessibility(*this);
    return accessibility_;
}

}  // namespace durak::qt
