// The client area of the window: the background with the printed text and plotted
// pixels of the text layer, and the 99 picture slots over it, all painted here. It is the window's
// Screen: the game sets pictures and shows or hides slots through it. It takes the clicks
// of the mouse; the keys of the table go to its keyboard focus (keyboard_focus.h).
#pragma once

#include <QFont>
#include <QStaticText>
#include <QWidget>

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "ports/ports.h"
#include "ports/text_layer.h"
#include "ui/keyboard_focus.h"
#include "ui/picture_slot.h"
#include "ui/picture_store.h"

namespace durak::qt {

class InputGate;
class TableAccessibility;

class TableSurface : public QWidget, public Screen {
    Q_OBJECT
public:
    TableSurface(TextLayer& text, QWidget* parent);

    // The font of all printed text: an 8-point sans-serif face.
    static QFont TextFont();

    PictureSlot* Slot(int control) const;
    // The slot a click at `point` of the client area is for: where a shown picture lies,
    // the topmost one (later slots lie over earlier ones); where none does, the first
    // blank hand slot whose area holds the point. Null when the slot found there does
    // not react to the mouse, or there is none.
    PictureSlot* ClickTargetAt(QPoint point) const;
    PictureStore& Pictures() { return pictures_; }

    // Screen: pictures are copied from the holders, as the game expects.
    void SetPicture(int slot, int holder) override;
    void SetVisible(int slot, bool visible) override;
    void ShowWindow() override;

    // Schedules the repaint of what the text layer changed since the last call.
    void SyncText();

    // What the table shows, for the keyboard and for a screen reader: the holder whose
    // picture slot `control` shows while it is shown (0 when hidden or blank), and the
    // printed text.
    int ShownHolder(int control) const;
    const TextLayer& Text() const { return text_; }

    // The input gate that keys and a screen reader's presses pass through, as clicks do.
    void SetInputGate(const InputGate* gate) { gate_ = gate; }
    // The hand slot or the action button the keyboard focus is on (keyboard_focus.h).
    int FocusedControl() const { return keyboard_.Focused(); }
    // A click on `control` made by a key or by a screen reader's press: dropped while
    // the gate is closed, as a mouse click is.
    void ActivateSlot(int control);

    // The accessible objects of the table, made once a screen reader asks for them.
    TableAccessibility* Accessibility();

    // The keyboard asked a question (keyboard_focus.h), or to be told again which card it
    // is on; whoever gives a screen reader its words answers.
    void AskQuestion(int question) { emit questionAsked(question); }
    void TellFocusAgain() { emit focusToldAgain(); }
    // After a deal: the table has the keyboard, on the hand's first card, and a screen
    // reader is told so even where the focus stood there before.
    void FocusFirstCard();

signals:
    // A click on one of the slots that react to the mouse.
    void slotClicked(int control);
    void questionAsked(int question);
    void focusToldAgain();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // A printed text with its glyphs laid out in the window's font, ready to be drawn,
    // and where they put ink, from the line's top-left corner.
    struct LaidOutLine {
        QStaticText glyphs;
        QRect ink;
    };
    const LaidOutLine& LaidOut(const std::string& utf8);
    QRect InkArea(const TextLayer::Run& run);

    // A slot or the text changed: the focus leaves a card that is gone, and a screen
    // reader hears of the change.
    void ScreenChanged(int control);

    TextLayer& text_;
    QFont font_;
    PictureStore pictures_;
    std::array<PictureSlot*, kLastControl + 1> slots_{};
    int pressedControl_ = 0;  // the slot under the last left press, until its release
    // The text layer as the last call of SyncText found it.
    std::vector<TextLayer::Run> syncedRuns_;
    std::vector<TextLayer::Pixel> syncedPixels_;
    std::unordered_map<std::string, LaidOutLine> laidOut_;
    const InputGate* gate_ = nullptr;
    KeyboardFocus keyboard_;
    TableAccessibility* accessibility_ = nullptr;  // a child object, made on demand
};

}  // namespace durak::qt
