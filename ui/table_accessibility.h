// The table as a screen reader meets it, through Qt's accessibility framework (on Linux
// carried to AT-SPI): the cards of the hand and the action button as push buttons, the
// table as a list of pairs, the trump, the computer's hand, the message on the status
// line (once more as a notification, shown anew with each message) and the other
// printed lines. Every name is read off what the slots and the text
// show, never off the game's fields, so what is heard is what is seen.
//
// Nothing of this is made until a screen reader asks for the table; while none listens
// a change of the screen costs one test of a pointer.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QPoint>
#include <QString>

#include <map>
#include <vector>

namespace durak::qt {

class TableSurface;

// Makes the table surface's accessible object; installed once, by the first surface.
void InstallTableAccessibility();

class TableAccessibility : public QObject {
public:
    explicit TableAccessibility(TableSurface& surface);
    ~TableAccessibility() override;

    // One object of the table: a key that stays while the object is shown, and its name.
    struct Entry {
        int key = 0;
        QString name;
        bool operator==(const Entry&) const = default;
    };
    // Keys besides the slot numbers (hand cards, button, trump, fan, cards face up).
    static constexpr int kTableKey = 200;
    static constexpr int kPairKey = 300;   // + pair 1..6 (+ 6 for the computer's layout)
    static constexpr int kStatusKey = 400;
    static constexpr int kNoticeKey = 401;  // the status line's message as a notification
    static constexpr int kLineKey = 500;   // + the line's place in reading order

    TableSurface& Surface() const { return surface_; }
    // The objects straight under the table, in order, and the list's items.
    const std::vector<Entry>& Objects() const;
    const std::vector<Entry>& Pairs() const;
    // The name of the object with `key` as the screen shows it now.
    QString NameOf(int key) const;
    bool Shown(int key) const;
    // Where the printed line of `key` starts on the surface.
    QPoint LinePlace(int key) const;
    // The accessible object of `key`, made on first use and kept while the table lives.
    QAccessibleInterface* Object(int key);
    // The object the keyboard focus is on, while the table has it.
    QAccessibleInterface* FocusedObject();

    // The screen changed: the objects follow once the events of this moment are handled.
    void ScreenChanged();
    // The focus moved to another card or the button.
    void FocusMoved();
    // A screen reader pressed the card or the button of `key`: a click, made after the
    // call has returned.
    void Press(int key);

private:
    // Reads the screen into objects_ and pairs_ and tells the screen reader what changed.
    void Refresh();
    void Read(std::vector<Entry>& objects, std::vector<Entry>& pairs) const;
    void Send(int key, QAccessible::Event type);

    TableSurface& surface_;
    std::vector<Entry> objects_, pairs_;
    mutable std::vector<QPoint> linePlaces_;
    std::map<int, QAccessibleInterface*> made_;  // registered with Qt, which owns them
    bool refreshPending_ = false;
    bool read_ = false;
    int focusKey_ = 0;
};

}  // namespace durak::qt
