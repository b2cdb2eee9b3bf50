// Playing the table with the keyboard: where the focus is along the hand's cards and the
// action button, the keys that move it or click what it is on, and the ring that marks
// it while the keyboard is in use. A key is user input like a click: while the game is
// busy the input gate eats it before it comes here.
#pragma once

#include <QRect>

#include <functional>

class QKeyEvent;
class QPainter;

namespace durak::qt {

class TableSurface;

class KeyboardFocus {
public:
    // The focus on `surface`'s hand and button; `moved` runs each time it goes to
    // another card or to the button.
    KeyboardFocus(TableSurface& surface, std::function<void()> moved);

    // The hand slot or the action button the focus is on. Before any key has chosen, or
    // once its card has gone, the first card; the button while the hand is empty.
    int Focused() const;
    // Whether the ring shows: a key has been used since the last click of the mouse.
    bool InUse() const { return inUse_; }

    // A key pressed on the table. False when it is none of the table's keys, which
    // then go their usual way (Alt to the menu bar, for one).
    bool KeyPressed(const QKeyEvent& event);
    // The question a key asks a screen reader's voice: 1 the table, 2 our hand, 3 the
    // trump and the stock, 4 the computer's count, 5 the last text again, 6 the mode and
    // the pace; 0 for any other key. The digits of the top row are the same keys in the
    // Latin and the Russian layout; those of the keypad are left to the screen reader.
    static int QuestionOf(const QKeyEvent& event);
    // The focus goes to the first card, as after a deal.
    void ToFirstCard() { MoveTo(FirstCard()); }
    // Tab and Shift+Tab: from the hand to the button, and back to the card that had the
    // focus, else the first card.
    void TabPressed();
    // A click of the mouse: the ring goes until a key brings it back.
    void MouseUsed();
    // The picture of `control` changed: when it was the focused card and the card has
    // gone, the focus goes to the next card on its right, else the one on its left,
    // else to the button.
    void SlotChanged(int control);
    // The table took or lost the keyboard: the ring's place is painted again.
    void TableFocusChanged();
    // The ring, while it shows and the table has the keyboard.
    void PaintRing(QPainter& painter) const;

private:
    // One key of the table: what it does with the focus at `at`, and whether pressing
    // it puts the keyboard in use (shows the ring). Each key is one row of `kKeys` in
    // keyboard_focus.cpp and one member below.
    using KeyHandler = void (KeyboardFocus::*)(int at);
    struct Key {
        int key;
        KeyHandler handle;
        bool showsRing;
    };
    static const Key kKeys[];

    void StepLeft(int at);
    void StepRight(int at);
    void GoToFirstCard(int at);
    void GoToLastCard(int at);
    void Click(int at);
    void OpenMenuBar(int at);

    bool HoldsCard(int control) const;
    // The nearest card from `control` in the direction `step` (+1 right, -1 left), in
    // slot order; 0 when there is none.
    int NeighbourCard(int control, int step) const;
    int FirstCard() const;
    int LastCard() const;
    void MoveTo(int control);
    void StartUsing();
    QRect RingArea(int control) const;

    TableSurface& surface_;
    std::function<void()> moved_;
    int focus_ = 0;          // the focused hand slot or the action button; 0 for none yet
    int lastHandFocus_ = 0;  // the card Tab goes back to from the button
    bool inUse_ = false;
};

}  // namespace durak::qt
