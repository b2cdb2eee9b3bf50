// The table as a screen reader meets it, through Qt's accessibility framework (on Linux
// carried to AT-SPI): the cards of the hand and the action button as push buttons, the
// table as a list of pairs, the trump, the computer's hand, the message on the status
// line, the other printed lines, and a notification that says what the game tells a
// screen reader (the play, the prompt, the answers). Every object's name is read off what
// the slots and the text show, never off the game's fields, so what is heard is what is
// seen.
//
// Nothing of this is made until a screen reader asks for the table; while none listens
// a change of the screen costs one test of a pointer.
#pragma once

#include <QAccessible>
#include <QObject>
#include <QPoint>
#include <QString>

#include <array>
#include <compare>
#include <map>
#include <vector>

namespace durak::qt {

class TableSurface;

// Makes the table surface's accessible object; installed once, by the first surface.
void InstallTableAccessibility();

// Which object of the table: a picture slot (a card of the hand, the button, the trump,
// the fan, a card face up), the list of pairs, one pair, the status line, the
// notification, or a printed line.
struct TableKey {
    enum class Kind { Slot, Table, Pair, Status, Notice, Line };
    Kind kind = Kind::Slot;
    // Slot: the control number. Pair: 1..6 the pairs of the player's attack, 7..12 those
    // of the computer's. Line: the line's place in reading order. Notice: which of the
    // notifications that take turns.
    int index = 0;
    auto operator<=>(const TableKey&) const = default;
};

class TableAccessibility : public QObject {
public:
    explicit TableAccessibility(TableSurface& surface);
    ~TableAccessibility() override;

    // One object of the table: its key, which stays while the object is shown, its name,
    // and its description (a card's place in the hand, "3 из 6").
    struct Entry {
        TableKey key;
        QString name;
        QString description;
        bool operator==(const Entry&) const = default;
    };

    TableSurface& Surface() const { return surface_; }
    // The objects straight under the table, in order, and the list's items, as the screen
    // shows them now (read when first asked for, then kept up to date).
    const std::vector<Entry>& Objects();
    const std::vector<Entry>& Pairs();
    // The object with `key` while it is shown; null when it is not.
    const Entry* Find(TableKey key);
    // Where the printed line of `key` starts on the surface.
    QPoint LinePlace(TableKey key) const;
    // The pair of places on the table (1 to 6) the list's item `key` stands on.
    int PairPlace(TableKey key) const;
    // The accessible object of `key`, made on first use and kept while the table lives.
    QAccessibleInterface* Object(TableKey key);
    // The object the keyboard focus is on, while the table has it.
    QAccessibleInterface* FocusedObject();

    // The screen changed: the objects follow once the events of this moment are handled.
    void ScreenChanged();
    // The focus moved to another card or the button, or the table gained or lost it.
    void FocusMoved();
    // The focus object is told to a screen reader again, even where it did not move (as
    // after a deal, when the focus comes back from the menus).
    void FocusAgain();
    // A screen reader pressed the card or the button of `key`: a click, made after the
    // call has returned.
    void Press(TableKey key);
    // A text for the screen reader to say wherever its focus is: a notification takes it
    // as its name and is shown, right after the objects have followed the screen. A
    // notification is a message that comes and goes, none of the table's lasting objects:
    // it is shown with one event, and no list of children changes. Notifications take
    // turns, and each keeps its text while the next few are shown: a screen reader that
    // asks for the text of one shown a moment ago, after another has come, still hears
    // its own text.
    void Announce(const QString& text);
    QString NoticeText(int index) const { return notices_[static_cast<std::size_t>(index) % notices_.size()]; }
    // While two computers play, the objects follow the screen only when something is
    // announced (so that what is heard and what can be read agree) and once the game
    // rests: a screen that changes every fifth of a second would cost the program (and
    // the screen reader) a stream of events nobody could follow, and the moving focus
    // would talk over the play.
    void Hold(bool held);
    // The objects as the screen shows them this moment, also while held (an answer to the
    // player reads them).
    void Current();

private:
    // Reads the screen into objects_ and pairs_ and tells the screen reader what changed.
    void Refresh();
    void Read(std::vector<Entry>& objects, std::vector<Entry>& pairs);
    void EnsureRead();
    void Send(TableKey key, QAccessible::Event type);

    TableSurface& surface_;
    std::vector<Entry> objects_, pairs_;
    std::vector<QPoint> linePlaces_;
    std::vector<int> pairPlaces_;
    std::map<TableKey, QAccessibleInterface*> made_;  // registered with Qt, which owns them
    std::array<QString, 8> notices_;  // the texts of the notifications that take turns
    int notice_ = 0;                  // the one shown last
    bool announcing_ = false;  // notice_ waits to be shown
    bool refreshPending_ = false;
    bool held_ = false, changedWhileHeld_ = false;
    bool read_ = false;
    bool focusAgain_ = false;
    int focusControl_ = 0;
};

}  // namespace durak::qt
