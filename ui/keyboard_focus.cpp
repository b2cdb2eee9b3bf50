#include "ui/keyboard_focus.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPainter>

#include <utility>

#include "cards/card_code.h"
#include "cards/numbers.h"
#include "ui/table_surface.h"

namespace durak::qt {

// The keys of the table. Space and Return click what the focus is on; F10 hands the
// keyboard to the menu bar and leaves the ring as it was.
const KeyboardFocus::Key KeyboardFocus::kKeys[] = {
    {Qt::Key_Left, &KeyboardFocus::StepLeft, true},
    {Qt::Key_Right, &KeyboardFocus::StepRight, true},
    {Qt::Key_Home, &KeyboardFocus::GoToFirstCard, true},
    {Qt::Key_End, &KeyboardFocus::GoToLastCard, true},
    {Qt::Key_Space, &KeyboardFocus::Click, true},
    {Qt::Key_Return, &KeyboardFocus::Click, true},
    {Qt::Key_Enter, &KeyboardFocus::Click, true},
    {Qt::Key_F10, &KeyboardFocus::OpenMenuBar, false},
};

KeyboardFocus::KeyboardFocus(TableSurface& surface, std::function<void()> moved)
    : surface_(surface), moved_(std::move(moved)) {}

bool KeyboardFocus::HoldsCard(int control) const {
    return HandSlotOfControl(control) != 0 && CardOfPictureIndex(surface_.ShownHolder(control)) != 0;
}

int KeyboardFocus::NeighbourCard(int control, int step) const {
    for (int s = HandSlotOfControl(control) + step; s >= 1 && s <= kPlayerHandSlots; s += step)
        if (HoldsCard(HandSlotControl(s))) return HandSlotControl(s);
    return 0;
}

int KeyboardFocus::FirstCard() const {
    const int first = HandSlotControl(1);
    return HoldsCard(first) ? first : NeighbourCard(first, +1);
}

int KeyboardFocus::LastCard() const {
    const int last = HandSlotControl(kPlayerHandSlots);
    return HoldsCard(last) ? last : NeighbourCard(last, -1);
}

int KeyboardFocus::Focused() const {
    if (focus_ == kActionButtonSlot || HoldsCard(focus_)) return focus_;
    const int first = FirstCard();
    return first ? first : kActionButtonSlot;
}

int KeyboardFocus::QuestionOf(const QKeyEvent& event) {
    const Qt::KeyboardModifiers other = Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier | Qt::KeypadModifier;
    if (event.modifiers() & other) return 0;
    return event.key() >= Qt::Key_1 && event.key() <= Qt::Key_6 ? event.key() - Qt::Key_0 : 0;
}

bool KeyboardFocus::KeyPressed(const QKeyEvent& event) {
    if (const int question = QuestionOf(event)) {
        surface_.AskQuestion(question);
        return true;
    }
    for (const Key& k : kKeys) {
        if (k.key != event.key()) continue;
        const int at = Focused();
        if (k.showsRing) StartUsing();
        (this->*k.handle)(at);
        return true;
    }
    return false;
}

void KeyboardFocus::StepLeft(int at) {
    if (HandSlotOfControl(at) != 0) MoveTo(NeighbourCard(at, -1));
}

void KeyboardFocus::StepRight(int at) {
    if (HandSlotOfControl(at) != 0) MoveTo(NeighbourCard(at, +1));
}

// Home or End on the card that already has the focus tells it again.
void KeyboardFocus::GoToFirstCard(int at) {
    if (FirstCard() == at) surface_.TellFocusAgain();
    MoveTo(FirstCard());
}

void KeyboardFocus::GoToLastCard(int at) {
    if (LastCard() == at) surface_.TellFocusAgain();
    MoveTo(LastCard());
}

// A click made with a key goes where a mouse click goes, through the same gate.
void KeyboardFocus::Click(int at) { surface_.ActivateSlot(at); }

// F10 does what a lone Alt does: the menu bar takes the keyboard, its first item
// highlighted. The menu bar listens for Alt on the window, so the same two events go there.
void KeyboardFocus::OpenMenuBar(int) {
    QKeyEvent over(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    over.ignore();
    QCoreApplication::sendEvent(&surface_, &over);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(&surface_, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(&surface_, &release);
}

void KeyboardFocus::TabPressed() {
    const int at = Focused();
    int to = kActionButtonSlot;
    if (at == kActionButtonSlot) {
        to = HoldsCard(lastHandFocus_) ? lastHandFocus_ : FirstCard();
        if (to == 0) to = kActionButtonSlot;
    }
    StartUsing();
    MoveTo(to);
}

void KeyboardFocus::MouseUsed() {
    if (!inUse_) return;
    inUse_ = false;
    surface_.update(RingArea(Focused()));
}

void KeyboardFocus::SlotChanged(int control) {
    if (control == 0 || control != focus_ || HoldsCard(focus_)) return;
    int to = NeighbourCard(focus_, +1);
    if (to == 0) to = NeighbourCard(focus_, -1);
    if (to == 0) to = kActionButtonSlot;
    MoveTo(to);
}

void KeyboardFocus::TableFocusChanged() { surface_.update(RingArea(Focused())); }

// The focus goes to `control` (nowhere for 0); the ring moves with it.
void KeyboardFocus::MoveTo(int control) {
    if (control == 0) return;
    const int before = Focused();
    focus_ = control;
    if (HandSlotOfControl(control) != 0) lastHandFocus_ = control;
    const int after = Focused();
    if (before == after) return;
    if (inUse_) {
        surface_.update(RingArea(before));
        surface_.update(RingArea(after));
    }
    if (moved_) moved_();
}

// A key is used: the ring shows where the focus is.
void KeyboardFocus::StartUsing() {
    if (inUse_) return;
    inUse_ = true;
    surface_.update(RingArea(Focused()));
}

QRect KeyboardFocus::RingArea(int control) const {
    const PictureSlot* slot = surface_.Slot(control);
    if (!slot) return {};
    return slot->geometry().adjusted(-3, -3, 3, 3);
}

// The ring lies just outside the card or the button, in the style's focus colour, so it
// never covers the corner index of the card it marks.
void KeyboardFocus::PaintRing(QPainter& painter) const {
    if (!inUse_ || !surface_.hasFocus()) return;
    const QRect ring = RingArea(Focused());
    if (ring.isNull()) return;
    painter.setClipping(false);
    painter.setPen(QPen(surface_.palette().color(QPalette::Highlight), 2));
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRectF(ring).adjusted(1, 1, -1, -1));
}

}  // namespace durak::qt
