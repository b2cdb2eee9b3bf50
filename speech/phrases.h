// The words a screen reader says: the news of the play told as short Russian texts, the
// prompt when the game waits for the player, and the answers to the player's questions.
// A card is always named as the hand names it ("дама пик").
#pragma once

#include <string>
#include <vector>

#include "cards/game_state.h"
#include "seats/player_rules.h"
#include "speech/narration.h"

namespace durak::speech {

// The words of a text as a reader counts them: pieces between spaces with a letter or a
// digit in them.
int WordCount(const std::string& text);

// "дама пик, король пик".
std::string CardList(const std::vector<int>& cards);
// A number of cards after a verb ("взял 1 карту", "2 карты", "5 карт") and as a count
// ("у компа 1 карта", "2 карты", "5 карт").
std::string CardsTaken(int n);
std::string CardsHeld(int n);

// The mode and the pace as the menus name them: "Режим: комп и ты", "Режим: два компа,
// средняя", "Режим: два компа, темп не выбран".
std::string ModeAndPace(const GameState& state);

// What the player is expected to do while the game rests at their move, from what lies
// on the table: "Наш ход: ходим", "Наш ход: подкидываем или бито", "Наш ход: кроем или
// берём, на столе дама пик".
std::string Prompt(const GameState& state);

// Why the rules refused a card, in a few words after "Так нельзя: ".
std::string RefusalReason(Refusal why, const GameState& state);

// Answers to the player's questions, from what the window shows.
std::string TableAnswer(const std::vector<std::string>& pairs);  // the list's items
std::string HandAnswer(const std::vector<std::string>& cards);   // the hand, left to right
// The trump as the trump slot names it ("Козырь: валет треф", or the suit once the stock
// is used up, when the slot shows its icon); empty before the first deal.
std::string TrumpAnswer(const std::string& trumpName, bool trumpCardShown);
std::string CountAnswer(int computerCards);

// Tells the news of the play. It remembers the status line's last message, so that a
// message printed again in the same words is no news.
class Commentator {
public:
    // Everything that happened, for the player at the table.
    std::string Tell(const std::vector<News>& news);

    // For a watcher of two computers: at most kWatchWords words, so that a reader never
    // has much left to say when the next news comes. At the slow pace per move; at the
    // faster paces only how each round ended. A result comes with the statistics, in full;
    // what happened before it in the same news is left out. `must` is set for a text that
    // must be heard: the result, or a new game with its trump.
    static constexpr int kWatchWords = 6;
    std::string Watch(const std::vector<News>& news, int pace, bool& must);

private:
    struct Phrase;
    std::vector<Phrase> Phrases(const std::vector<News>& news);
    std::string lastStatus_;
};

}  // namespace durak::speech
