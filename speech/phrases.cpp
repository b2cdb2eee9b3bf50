#include "speech/phrases.h"

#include <algorithm>
#include <numeric>

#include "cards/card_code.h"
#include "cards/card_names.h"
#include "cards/numbers.h"

namespace durak::speech {

namespace {

bool IsWordByte(unsigned char c) {
    return c >= 0x80 || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The pieces of a text between spaces, without the punctuation around them.
std::vector<std::string> Words(const std::string& text) {
    std::vector<std::string> words;
    std::string word;
    for (char c : text + ' ') {
        if (c == ' ') {
            while (!word.empty() && !IsWordByte(static_cast<unsigned char>(word.back()))) word.pop_back();
            if (!word.empty()) words.push_back(word);
            word.clear();
        } else {
            word += c;
        }
    }
    return words;
}

// A printed line as it reads: the spaces around its numbers collapsed, none at the ends,
// and no dots at its end ("Мы отбились..." is said as a sentence, not read out as an
// ellipsis); the text it goes into ends it with a full stop.
std::string AsRead(const std::string& line) {
    std::string out;
    for (char c : line)
        if (c != ' ' || (!out.empty() && out.back() != ' ')) out += c;
    while (!out.empty() && (out.back() == ' ' || out.back() == '.')) out.pop_back();
    return out;
}

// Texts one after another, each ended by a full stop.
std::string Joined(const std::vector<std::string>& texts) {
    std::string out;
    for (const std::string& t : texts) {
        if (t.empty()) continue;
        if (!out.empty()) out += ' ';
        out += t;
        if (out.back() != '.') out += '.';
    }
    return out;
}

// The Russian plural of "карта" after a number: one form for 1 (21, …), one for 2–4
// (22–24, …), one for the rest and for 11–14.
std::string CardsWord(int n, const char* one, const char* few, const char* many) {
    const int tens = n % 100, units = n % 10;
    if (tens >= 11 && tens <= 14) return std::to_string(n) + " " + many;
    if (units == 1) return std::to_string(n) + " " + one;
    if (units >= 2 && units <= 4) return std::to_string(n) + " " + few;
    return std::to_string(n) + " " + many;
}

const char* Subject(Seat seat) { return seat == Seat::Player ? "Мы" : "Комп"; }

const char* Verb(Seat seat, Lay lay) {
    const bool we = seat == Seat::Player;
    switch (lay) {
        case Lay::Lead: return we ? "ходим" : "ходит";
        case Lay::Add: return we ? "подкидываем" : "подкидывает";
        case Lay::Cover: return we ? "кроем" : "кроет";
    }
    return "";
}

bool IsResult(const std::string& message) {
    return message == "Мы выиграли" || message == "Комп выиграл" || message == "Ничья";
}

// The message the bottom seat's attack starts with, printed anew at every card it tries.
bool IsMoveMessage(const std::string& message) { return message == "Мы ходим"; }

}  // namespace

int WordCount(const std::string& text) { return static_cast<int>(Words(text).size()); }

std::string CardList(const std::vector<int>& cards) {
    std::string out;
    for (int c : cards) out += (out.empty() ? "" : ", ") + CardName(c);
    return out;
}

std::string CardsTaken(int n) { return CardsWord(n, "карту", "карты", "карт"); }
std::string CardsHeld(int n) { return CardsWord(n, "карта", "карты", "карт"); }

std::string ModeAndPace(const GameState& state) {
    if (state.playMode != kPlayModeTwoComputers) return "Режим: комп и ты";
    switch (state.delayFactor) {
        case kPaceFast: return "Режим: два компа, быстрая игра";
        case kPaceMedium: return "Режим: два компа, средняя";
        case kPaceSlow: return "Режим: два компа, медленная";
        default: return "Режим: два компа, темп не выбран";
    }
}

std::string Prompt(const GameState& s) {
    if (s.playerRole == kPlayerAttacks) {
        const int down = s.tablePlayerAttack.CountNonZero();
        if (down == 0) return "Наш ход: ходим";
        return down < kPairs ? "Наш ход: подкидываем или бито" : "Наш ход: бито";
    }
    std::vector<int> open;
    for (int k = 1; k <= kPairs; ++k)
        if (s.tableComputerAttack[k] != 0 && s.tablePlayerDefence[k] == 0) open.push_back(s.tableComputerAttack[k]);
    if (open.empty()) return "Наш ход: берём или бито";
    return "Наш ход: кроем или берём, на столе " + CardList(open);
}

std::string RefusalReason(Refusal why, const GameState& s) {
    switch (why) {
        case Refusal::TableFull: return "на столе уже шесть карт";
        case Refusal::RankNotOnTable: return "такой карты на столе нет";
        case Refusal::DoesNotCover: return "эта карта не кроет, на столе " + CardName(s.computerAttackCard);
        case Refusal::NoPlaceForCover: return "на столе уже шесть пар";
        case Refusal::None: break;
    }
    return "ход не принят";
}

std::string TableAnswer(const std::vector<std::string>& pairs) {
    if (pairs.empty()) return "Стол пуст";
    std::string out = "Стол";
    for (const std::string& p : pairs) out += (out == "Стол" ? ": " : ". ") + p;
    return out;
}

std::string HandAnswer(const std::vector<std::string>& cards) {
    if (cards.empty()) return "Наших карт нет";
    std::string out = "Наши карты, " + CardsHeld(static_cast<int>(cards.size())) + ":";
    for (std::size_t i = 0; i < cards.size(); ++i) out += (i ? ", " : " ") + cards[i];
    return out;
}

std::string TrumpAnswer(const std::string& trumpName, bool trumpCardShown) {
    if (trumpName.empty()) return "Игры ещё нет";
    return trumpName + (trumpCardShown ? ", в колоде ещё есть карты" : ", колода кончилась");
}

std::string CountAnswer(int computerCards) { return "У компа " + CardsHeld(computerCards); }

// --- Telling the news ------------------------------------------------------------------

// How much a piece of news matters when words run short: the higher is kept first.
enum Rank { kDrawRank, kLineRank, kMoveRank, kMessageRank, kRoundEndRank, kDealRank, kResultRank };

// One piece of a text: its words in full, shorter (more than two cards as a count), and
// how much it matters.
struct Commentator::Phrase {
    std::string full, compact;
    int rank = kDrawRank;
    int cards = 0;  // the cards a move names
    bool move = false, drew = false, result = false, status = false;
};

std::vector<Commentator::Phrase> Commentator::Phrases(const std::vector<News>& news) {
    auto listed = [](const std::string& head, const std::vector<int>& cards) {
        Phrase p;
        p.full = head + ": " + CardList(cards);
        p.compact = cards.size() > 2 ? head + " " + CardsTaken(static_cast<int>(cards.size())) : p.full;
        p.rank = kRoundEndRank;
        return p;
    };
    std::vector<Phrase> phrases;
    for (const News& n : news) {
        Phrase p;
        switch (n.kind) {
            case News::Kind::Dealt:
                // The player at the table hears the hand too; a watcher only the trump.
                p.compact = "Новая игра. Козырь: " + CardName(n.trumpCard);
                p.full = p.compact + ". Наши карты: " + CardList(n.cards);
                p.rank = kDealRank;
                break;
            case News::Kind::Message:
                p.full = p.compact = AsRead(n.text);
                if (n.statusLine) {
                    // The same words printed again on the status line are no news.
                    if (p.full == lastStatus_) continue;
                    lastStatus_ = p.full;
                    p.status = true;
                    p.result = IsResult(p.full);
                    p.move = IsMoveMessage(p.full);
                    p.rank = p.result ? kResultRank : kMessageRank;
                } else {
                    p.rank = kLineRank;
                }
                break;
            case News::Kind::CardDown: {
                // Cards put down one after another the same way are one phrase.
                Phrase* last = phrases.empty() ? nullptr : &phrases.back();
                const std::string head = std::string(Subject(n.seat)) + " " + Verb(n.seat, n.lay);
                if (last && last->move && last->full.rfind(head + ": ", 0) == 0) {
                    last->full += ", " + CardName(n.cards.at(0));
                    ++last->cards;
                    last->compact = last->cards > 2 ? head + " " + CardsTaken(last->cards) : last->full;
                    continue;
                }
                p.full = p.compact = head + ": " + CardName(n.cards.at(0));
                p.cards = 1;
                p.move = true;
                p.rank = kMoveRank;
                break;
            }
            case News::Kind::Took:
                p = listed(n.seat == Seat::Player ? "Мы взяли" : "Комп взял", n.cards);
                break;
            case News::Kind::Beaten:
                p = listed("Бито", n.cards);
                break;
            case News::Kind::Overflow:
                p = listed("Ушли из игры", n.cards);
                break;
            case News::Kind::Drew: {
                const std::string count = "у компа " + CardsHeld(n.computerCount);
                if (n.cards.empty()) {
                    p.full = p.compact = "У компа " + CardsHeld(n.computerCount);
                } else {
                    p.full = "Из колоды: " + CardList(n.cards) + "; " + count;
                    p.compact = "Из колоды " + CardsTaken(static_cast<int>(n.cards.size())) + "; " + count;
                }
                p.drew = true;
                break;
            }
        }
        phrases.push_back(p);
    }

    // A message that a move or a take says again, with its cards, is left to them:
    // "Мы ходим" before "Мы ходим: дама пик", "Комп взял.." before "Комп взял: …".
    auto saidAgain = [&](const Phrase& message) {
        const std::vector<std::string> words = Words(message.full);
        for (const Phrase& p : phrases) {
            if (!p.move && p.rank != kRoundEndRank) continue;
            const std::vector<std::string> other = Words(p.full);
            if (other.size() > words.size() && std::equal(words.begin(), words.end(), other.begin())) return true;
        }
        return false;
    };
    std::erase_if(phrases, [&](const Phrase& p) { return p.status && !p.result && saidAgain(p); });
    return phrases;
}

std::string Commentator::Tell(const std::vector<News>& news) {
    std::vector<std::string> texts;
    for (const Phrase& p : Phrases(news)) texts.push_back(p.full);
    return Joined(texts);
}

std::string Commentator::Watch(const std::vector<News>& news, int pace, bool& must) {
    std::vector<Phrase> phrases = Phrases(news);
    must = false;

    // The result, and the lines printed with it: the computer's count and the statistics.
    for (std::size_t i = 0; i < phrases.size(); ++i) {
        if (!phrases[i].result) continue;
        std::vector<std::string> texts;
        for (std::size_t j = i; j < phrases.size(); ++j)
            if (!phrases[j].move && !phrases[j].drew) texts.push_back(phrases[j].full);
        must = true;
        return Joined(texts);
    }
    must = std::any_of(phrases.begin(), phrases.end(), [](const Phrase& p) { return p.rank == kDealRank; });

    // What a watcher hears: no draws, no lines besides the status line's (the score shown
    // while a seat is down to its last cards); at the faster paces no single moves either.
    std::erase_if(phrases, [pace](const Phrase& p) {
        return p.drew || p.rank == kLineRank || (p.move && pace != kPaceSlow);
    });
    auto words = [&](auto form) {
        int n = 0;
        for (const Phrase& p : phrases) n += WordCount(p.*form);
        return n;
    };
    std::vector<std::string> texts;
    if (words(&Phrase::full) <= kWatchWords) {
        for (const Phrase& p : phrases) texts.push_back(p.full);
        return Joined(texts);
    }
    if (words(&Phrase::compact) <= kWatchWords) {
        for (const Phrase& p : phrases) texts.push_back(p.compact);
        return Joined(texts);
    }
    // Too much for one breath: what matters most, the later before the earlier, as long
    // as the words last; told in the order it happened.
    std::vector<std::size_t> order(phrases.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        return phrases[a].rank != phrases[b].rank ? phrases[a].rank > phrases[b].rank : a > b;
    });
    std::vector<bool> kept(phrases.size(), false);
    int left = kWatchWords;
    for (std::size_t i : order) {
        const int n = WordCount(phrases[i].compact);
        if (n <= left) {
            kept[i] = true;
            left -= n;
        }
    }
    for (std::size_t i = 0; i < phrases.size(); ++i)
        if (kept[i]) texts.push_back(phrases[i].compact);
    return Joined(texts);
}

}  // namespace durak::speech
