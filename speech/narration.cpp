#include "speech/narration.h"

namespace durak::speech {

namespace {

// The cards of two table rows in table order: pair 1's attack card, its cover, pair 2's…
std::vector<int> RowCards(const OneBased<6>& attack, const OneBased<6>& cover) {
    std::vector<int> cards;
    for (int k = 1; k <= kPairs; ++k) {
        if (attack[k] != 0) cards.push_back(attack[k]);
        if (cover[k] != 0) cards.push_back(cover[k]);
    }
    return cards;
}

// Words, as opposed to a line of card codes: a letter somewhere (any byte of a Cyrillic
// letter lies above 0x7f).
bool HasWords(const std::string& text) {
    for (unsigned char c : text)
        if (c >= 0x80 || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) return true;
    return false;
}

}  // namespace

std::vector<News> Narration::Take() {
    std::vector<News> taken;
    taken.swap(news_);
    return taken;
}

void Narration::Dealt(const GameState& state) {
    News n;
    n.kind = News::Kind::Dealt;
    n.trumpCard = state.trumpCard;
    for (int card : state.playerHand)
        if (card != 0) n.cards.push_back(card);
    news_.push_back(n);
}

void Narration::CardDown(const GameState&, Seat seat, Lay lay, int card) {
    News n;
    n.kind = News::Kind::CardDown;
    n.seat = seat;
    n.lay = lay;
    n.cards = {card};
    news_.push_back(n);
}

void Narration::Took(const GameState&, Seat seat, const std::vector<int>& cards) {
    News n;
    n.kind = News::Kind::Took;
    n.seat = seat;
    n.cards = cards;
    news_.push_back(n);
}

void Narration::Beaten(const GameState&, const OneBased<6>& attack, const OneBased<6>& cover) {
    News n;
    n.kind = News::Kind::Beaten;
    n.cards = RowCards(attack, cover);
    if (!n.cards.empty()) news_.push_back(n);
}

void Narration::Overflow(const OneBased<6>& attack, const OneBased<6>& cover) {
    News n;
    n.kind = News::Kind::Overflow;
    n.cards = RowCards(attack, cover);
    if (!n.cards.empty()) news_.push_back(n);
}

// The draws of one refill come one card at a time; they are told as one piece of news.
void Narration::Drew(const GameState& state, Seat seat, int card) {
    if (news_.empty() || news_.back().kind != News::Kind::Drew) {
        News n;
        n.kind = News::Kind::Drew;
        news_.push_back(n);
    }
    News& draw = news_.back();
    if (seat == Seat::Player) draw.cards.push_back(card);
    draw.computerCount = state.computerHand.CountNonZero();
}

// The computer's count as it stood before a draw ("Карт- 6") is not told: the draw tells
// how many it holds after it. Lines of card codes are no words either.
void Narration::Printed(const TextLayer::Run& run) {
    if (!HasWords(run.text) || run.text.rfind("Карт-", 0) == 0) return;
    News n;
    n.kind = News::Kind::Message;
    n.text = run.text;
    n.statusLine = run.x == TextLayer::kStatusLineX && run.y == TextLayer::kStatusLineY;
    news_.push_back(n);
}

}  // namespace durak::speech
