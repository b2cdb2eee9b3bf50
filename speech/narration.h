// What a screen reader is told of the play, gathered as the game makes it: every card put
// on the table with who put it there and how, the cards each seat takes at the end of a
// round, the beaten cards, the cards drawn from the stock, a new deal, and every line of
// words that comes onto the window. The window itself stays as it is: all of this is
// spoken, never printed. Nothing of it exists while no screen reader listens.
#pragma once

#include <string>
#include <vector>

#include "flow/game.h"
#include "ports/text_layer.h"

namespace durak::speech {

// One thing that happened at the table, in the order it happened.
struct News {
    enum class Kind {
        Dealt,     // a new game: cards: the player's hand; trumpCard
        Message,   // words printed on the window; text, and whether on the status line
        CardDown,  // a card put on the table: seat, lay, cards: the card
        Took,      // cards of the table into a seat's hand: seat, cards
        Beaten,    // covered pairs out of play: cards
        Overflow,  // cards no slot of a full hand could hold, out of play: cards
        Drew,      // draws from the stock: cards: the player's, computerCount after them
    };
    Kind kind = Kind::Message;
    Seat seat = Seat::Player;
    Lay lay = Lay::Lead;
    std::vector<int> cards;
    std::string text;
    bool statusLine = false;
    int computerCount = 0;
    int trumpCard = 0;
};

// Hears the game (as its watcher) and the window's text (as its listener), and keeps what
// it heard until it is taken.
class Narration : public PlayWatcher, public TextLayer::Listener {
public:
    // The news since the last call, oldest first.
    std::vector<News> Take();
    bool Empty() const { return news_.empty(); }

    void Dealt(const GameState& state) override;
    void CardDown(const GameState& state, Seat seat, Lay lay, int card) override;
    void Took(const GameState& state, Seat seat, const std::vector<int>& cards) override;
    void Beaten(const GameState& state, const OneBased<6>& attack, const OneBased<6>& cover) override;
    void Overflow(const OneBased<6>& attack, const OneBased<6>& cover) override;
    void Drew(const GameState& state, Seat seat, int card) override;
    void Printed(const TextLayer::Run& run) override;

private:
    std::vector<News> news_;
};

}  // namespace durak::speech
