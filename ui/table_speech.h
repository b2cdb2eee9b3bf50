// What the game tells a screen reader, and when: the play as it happens (at the start of
// each wait, and when an event's moves are over), the prompt once the game waits for the
// player, a refused card's reason, "Подождите" for input dropped in a wait, a change of
// mode or pace, and the answers to the player's questions. Everything goes out through
// the table's notification. A player at the table hears each text at once; a watcher of
// two computers hears them at the pace a screen reader can follow.
//
// Made only once assistive technology is active; until then the game has no watcher and
// its text layer no listener, so nothing of this costs anything.
#pragma once

#include <QObject>
#include <QTimer>

#include <chrono>
#include <string>

#include "flow/game.h"
#include "speech/narration.h"
#include "speech/pacer.h"
#include "speech/phrases.h"

namespace durak::qt {

class TableAccessibility;

class TableSpeech : public QObject {
public:
    // The questions of the keys 1 to 6.
    enum class Question { Table = 1, Hand, Trump, ComputerCount, Again, Mode };

    TableSpeech(Game& game, TableAccessibility& table, QObject* parent);
    ~TableSpeech() override;

    // A wait of a move starts: what happened so far is told.
    void AtWait();
    // An event's moves are over: what happened is told, and what the game now waits for.
    void AtRest();
    // The card of hand slot `slot` is about to be played. Should it still lie there once
    // the moves are over, with nothing else to tell, the rules refused it: its reason
    // ("такой карты на столе нет") is said instead of the prompt.
    void Playing(int slot, int card, const std::string& reasonIfRefused);
    // Input came while a wait ran (`wait` counts the waits): "Подождите", once a wait.
    void PleaseWait(long long wait);
    // The mode or the pace has just changed.
    void ModeChanged();
    void Answer(Question question);
    // The card or the button the keyboard is on, with its place in the hand.
    void SayFocused();
    // Says a text at once, outside the play (an answer, a card the focus is on).
    void Say(const std::string& text);

private:
    // Tells what the game has gathered since the last time.
    void Tell(bool atRest);
    void Send(const std::string& text);
    void PassOn();
    double Now() const;

    Game& game_;
    TableAccessibility& table_;
    speech::Narration news_;
    speech::Commentator teller_;
    speech::Pacer pacer_;
    QTimer paceTimer_;
    std::string last_;  // the last text the game told on its own, for key 5
    long long waitHeard_ = -1;
    struct Played {
        int slot = 0, card = 0;
        std::string reason;
    } playing_;
    const std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
};

}  // namespace durak::qt
