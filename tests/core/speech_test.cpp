// What a screen reader is told: whole games followed from the spoken texts alone, the
// words of each kind of news, the prompt, and a watcher of two computers who never falls
// more than three seconds behind the game.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <map>
#include <set>
#include <sstream>

#include "cards/card_code.h"
#include "cards/card_names.h"
#include "flow/input_dispatch.h"
#include "flow/menu_events.h"
#include "flow/procedures.h"
#include "platform/pause_durations.h"
#include "platform/random_sources.h"
#include "speech/narration.h"
#include "speech/pacer.h"
#include "speech/phrases.h"
#include "seats/player_rules.h"
#include "support/fakes.h"

using namespace durak;
using namespace durak::speech;

namespace {

// --- A listener who knows only what it heard --------------------------------------------

// The card a spoken name stands for.
int CardNamed(const std::string& name) {
    for (int suit = 0; suit < 4; ++suit)
        for (int rank = 6; rank <= 14; ++rank)
            if (CardName(50 * suit + rank) == name) return 50 * suit + rank;
    ADD_FAILURE() << "no card is called \"" << name << "\"";
    return 0;
}

// The cards named in "дама пик, король пик" (up to the end or a ';').
std::vector<int> CardsNamed(std::string list) {
    list = list.substr(0, list.find(';'));
    std::vector<int> cards;
    std::stringstream in(list);
    for (std::string name; std::getline(in, name, ',');) {
        while (!name.empty() && name.front() == ' ') name.erase(0, 1);
        while (!name.empty() && (name.back() == ' ' || name.back() == '.')) name.pop_back();
        if (!name.empty()) cards.push_back(CardNamed(name));
    }
    return cards;
}

// Our hand, the table and the computer's count, kept from what was said: each sentence of
// a text is one piece of news, "<what>: <cards>".
struct Ear {
    std::multiset<int> hand, table;
    int computerCards = 0;

    void Hear(const std::string& text) {
        std::size_t from = 0;
        while (from < text.size()) {
            // A sentence ends at ". " (card names hold no full stop).
            std::size_t end = text.find(". ", from);
            if (end == std::string::npos) end = text.size();
            Sentence(text.substr(from, end - from));
            from = end + 2;
        }
    }
    void Sentence(const std::string& s) {
        const std::size_t colon = s.find(": ");
        const std::string head = s.substr(0, colon);
        const std::vector<int> cards = colon == std::string::npos ? std::vector<int>{} : CardsNamed(s.substr(colon + 2));
        // A piece of news with a colon names its cards, and none is left unnamed.
        if (colon != std::string::npos && head != "Наш ход" && head != "Так нельзя" && head != "Козырь")
            EXPECT_EQ(static_cast<int>(std::count(s.begin(), s.end(), ',')) + 1, static_cast<int>(cards.size())) << s;
        if (head == "Наши карты") {
            hand = {cards.begin(), cards.end()};
            table.clear();
            computerCards = 6;
        } else if (head == "Мы ходим" || head == "Мы подкидываем" || head == "Мы кроем") {
            for (int c : cards) Move(hand, table, c);
        } else if (head == "Комп ходит" || head == "Комп подкидывает" || head == "Комп кроет") {
            for (int c : cards) table.insert(c);
            computerCards -= static_cast<int>(cards.size());
        } else if (head == "Мы взяли") {
            for (int c : cards) Move(table, hand, c);
        } else if (head == "Комп взял") {
            for (int c : cards) table.erase(table.find(c));
            computerCards += static_cast<int>(cards.size());
        } else if (head == "Бито" || head == "Ушли из игры") {
            for (int c : cards) table.erase(table.find(c));
        } else if (head == "Из колоды") {
            hand.insert(cards.begin(), cards.end());
        }
        // "у компа N карт", alone or after the draw.
        const std::size_t count = s.find("у компа ") != std::string::npos ? s.find("у компа ") : s.find("У компа ");
        if (count != std::string::npos) computerCards = std::stoi(s.substr(count + 14));
    }
    static void Move(std::multiset<int>& from, std::multiset<int>& to, int c) {
        auto it = from.find(c);
        ASSERT_NE(it, from.end()) << CardName(c) << " was not where the texts left it";
        from.erase(it);
        to.insert(c);
    }
};

std::multiset<int> Held(const OneBased<12>& hand) {
    std::multiset<int> cards;
    for (int c : hand)
        if (c) cards.insert(c);
    return cards;
}

std::multiset<int> OnTable(const GameState& s) {
    std::multiset<int> cards;
    for (const auto* row : {&s.tablePlayerAttack, &s.tableComputerDefence, &s.tableComputerAttack, &s.tablePlayerDefence})
        for (int c : *row)
            if (c) cards.insert(c);
    return cards;
}

// At every step of the game, what was said so far tells the hand, the table and the
// computer's count as they are.
class SpokenPlay : public Narration {
public:
    SpokenPlay(Game& g) : g_(g) {
        g.watcher = this;
        g.text.SetListener(this);
    }
    void Step(const GameState& s, const char*) override {
        ear.Hear(teller.Tell(Take()));
        if (ear.hand.empty() && ear.table.empty() && Held(s.playerHand).size() + OnTable(s).size() == 0) return;
        ++checked;
        ASSERT_EQ(ear.hand, Held(s.playerHand));
        ASSERT_EQ(ear.table, OnTable(s));
        ASSERT_EQ(ear.computerCards, s.computerHand.CountNonZero());
    }
    Ear ear;
    Commentator teller;
    long checked = 0;

private:
    Game& g_;
};

// A table on the real platform pieces: a seeded deal, waits that take no time.
struct SeededTable {
    explicit SeededTable(std::uint64_t seed) : random(seed) {}
    fakes::RecordingScreen screen;
    TextLayer text;
    fakes::RecordingPauses pauses;
    SeededRandom random;
    Game g{screen, text, pauses, random};
};

}  // namespace

// ---------------------------------------------------------------------------------------

// A player who hears the texts and nothing else always knows the hand, the table and the
// computer's count: in games played by clicks, and in games between two computers.
// A card the rules refuse is told so exactly when the move leaves it in the hand.
TEST(Spoken, WholeGamesCanBeFollowedFromTheTextsAlone) {
    long checked = 0, refusals = 0;
    for (std::uint64_t seed = 1; seed <= 150; ++seed) {
        SeededTable t(seed);
        SpokenPlay spoken(t.g);
        std::mt19937_64 clicks(seed);
        Form_Load(t.g);
        if (seed % 2 == 0) MenuFastGame(t.g);
        MenuNewGame(t.g);
        for (int event = 0; event < 3000 && !t.g.decided; ++event) {
            if (std::uniform_int_distribution<int>(0, 5)(clicks) == 0) {
                Image70_Click(t.g);
            } else {
                // A card said to be refused stays where it is, and nothing else moves;
                // one not refused is played.
                const int slot = std::uniform_int_distribution<int>(1, 12)(clicks);
                const int card = t.g.playerHand[slot];
                const Refusal why = WhyRefused(t.g, slot);
                const GameState before = t.g;
                HandSlotClick(t.g, slot);
                if (card != 0 && t.g.playMode == kPlayModeHuman && !t.g.decided) {
                    const bool stayed = t.g.playerHand == before.playerHand && OnTable(t.g) == OnTable(before);
                    ASSERT_EQ(why != Refusal::None, stayed) << "seed " << seed << ", " << CardName(card);
                    refusals += why != Refusal::None;
                }
            }
            ASSERT_FALSE(HasFailure()) << "seed " << seed;
        }
        ASSERT_TRUE(t.g.decided) << "seed " << seed;
        checked += spoken.checked;
    }
    EXPECT_GT(checked, 10000);
    EXPECT_GT(refusals, 100);
}

// The words of each kind of news, merged into one text per moment: a message the move says
// again goes, the same status words printed again are no news.
TEST(Spoken, EachKindOfNewsInItsWords) {
    const int Qs = 12, Ks = 13, Td = 110, Ah = 164, Sc = 56;
    auto down = [](Seat s, Lay l, int c) { News n; n.kind = News::Kind::CardDown; n.seat = s; n.lay = l; n.cards = {c}; return n; };
    auto message = [](const char* text) { News n; n.text = text; n.statusLine = true; return n; };
    auto line = [](const char* text) { News n; n.text = text; return n; };
    auto cards = [](News::Kind k, Seat s, std::vector<int> c) { News n; n.kind = k; n.seat = s; n.cards = c; return n; };
    News drew = cards(News::Kind::Drew, Seat::Player, {Sc, Ah});
    drew.computerCount = 6;
    News dealt = cards(News::Kind::Dealt, Seat::Player, {Qs, Td});
    dealt.trumpCard = Ks;

    Commentator c;
    EXPECT_EQ(c.Tell({dealt}), "Новая игра. Козырь: король пик. Наши карты: дама пик, десятка бубен.");
    EXPECT_EQ(c.Tell({message("Мы ходим"), down(Seat::Player, Lay::Lead, Qs), down(Seat::Computer, Lay::Cover, Ks)}),
              "Мы ходим: дама пик. Комп кроет: король пик.");
    // "Мы ходим" again on the status line is no news; the add is.
    EXPECT_EQ(c.Tell({message("Мы ходим"), down(Seat::Player, Lay::Add, Td)}), "Мы подкидываем: десятка бубен.");
    EXPECT_EQ(c.Tell({message("Комп взял.."), cards(News::Kind::Took, Seat::Computer, {Qs, Ks, Td})}),
              "Комп взял: дама пик, король пик, десятка бубен.");
    EXPECT_EQ(c.Tell({message("Мы отбидись..."), cards(News::Kind::Beaten, Seat::Player, {Qs, Ks}), drew,
                      down(Seat::Computer, Lay::Lead, Td), down(Seat::Computer, Lay::Add, Ah)}),
              "Мы отбидись. Бито: дама пик, король пик. Из колоды: шестёрка треф, туз червей; у компа 6 карт. "
              "Комп ходит: десятка бубен. Комп подкидывает: туз червей.");
    EXPECT_EQ(c.Tell({message("Мы взяли..."), cards(News::Kind::Took, Seat::Player, {Td}),
                      cards(News::Kind::Overflow, Seat::Player, {Ah})}),
              "Мы взяли: десятка бубен. Ушли из игры: туз червей.");
    EXPECT_EQ(c.Tell({message("Комп выиграл"), line("Карты компа  0 "), line("Мы отбились  2 раз")}),
              "Комп выиграл. Карты компа 0. Мы отбились 2 раз.");
    News theComputerDrew = cards(News::Kind::Drew, Seat::Computer, {});
    theComputerDrew.computerCount = 1;
    EXPECT_EQ(c.Tell({theComputerDrew}), "У компа 1 карта.");
    EXPECT_EQ(c.Tell({}), "");

    // A watcher hears six words at most; per round at the faster paces.
    bool result = true;
    EXPECT_EQ(c.Watch({down(Seat::Player, Lay::Lead, Qs), down(Seat::Computer, Lay::Cover, Ks)}, kPaceSlow, result),
              "Комп кроет: король пик.");
    EXPECT_FALSE(result);
    EXPECT_EQ(c.Watch({down(Seat::Player, Lay::Add, Qs)}, kPaceMedium, result), "");
    EXPECT_FALSE(result);
    EXPECT_EQ(c.Watch({message("Мы отбились..."), cards(News::Kind::Beaten, Seat::Player, {Qs, Ks, Td, Ah}), drew,
                       down(Seat::Computer, Lay::Lead, Sc)}, kPaceFast, result),
              "Мы отбились. Бито 4 карты.");
    EXPECT_EQ(c.Watch({dealt, message("Мы ходим"), down(Seat::Player, Lay::Lead, Qs)}, kPaceSlow, result),
              "Новая игра. Козырь: король пик.");
    EXPECT_TRUE(result);  // a new game's trump must be heard
    EXPECT_EQ(c.Watch({down(Seat::Player, Lay::Cover, Td), message("Мы выиграли"), line("Карты компа  3 "),
                       line("Мы отбились  1 раз"), line("Комп отбился  0 раз"), line("Мы взяли  2 раз"),
                       line("Комп взял  4 раз")}, kPaceFast, result),
              "Мы выиграли. Карты компа 3. Мы отбились 1 раз. Комп отбился 0 раз. Мы взяли 2 раз. Комп взял 4 раз.");
    EXPECT_TRUE(result);

    EXPECT_EQ(CardsTaken(1) + ", " + CardsTaken(3) + ", " + CardsTaken(11) + ", " + CardsHeld(21) + ", " + CardsHeld(25),
              "1 карту, 3 карты, 11 карт, 21 карта, 25 карт");
}

// What the game waits for, and the mode and pace as the menus name them.
TEST(Spoken, PromptAndModeNameWhatIsExpected) {
    GameState s;
    s.playerRole = kPlayerAttacks;
    EXPECT_EQ(Prompt(s), "Наш ход: ходим");
    s.tablePlayerAttack[1] = 12;
    s.tableComputerDefence[1] = 13;
    EXPECT_EQ(Prompt(s), "Наш ход: подкидываем или бито");
    for (int k = 2; k <= 6; ++k) s.tablePlayerAttack[k] = static_cast<Field>(50 + k + 4);
    EXPECT_EQ(Prompt(s), "Наш ход: бито");
    GameState d;
    d.playerRole = kPlayerDefends;
    d.tableComputerAttack[1] = 12;
    d.tablePlayerDefence[1] = 13;
    d.tableComputerAttack[2] = 62;
    EXPECT_EQ(Prompt(d), "Наш ход: кроем или берём, на столе дама треф");

    GameState m;
    m.playMode = kPlayModeHuman;
    m.delayFactor = kPaceSlow;
    EXPECT_EQ(ModeAndPace(m), "Режим: комп и ты");
    m.playMode = kPlayModeTwoComputers;
    EXPECT_EQ(ModeAndPace(m), "Режим: два компа, медленная");
    m.delayFactor = 0;
    EXPECT_EQ(ModeAndPace(m), "Режим: два компа, темп не выбран");
    m.delayFactor = kPaceFast;
    EXPECT_EQ(ModeAndPace(m), "Режим: два компа, быстрая игра");
}

// --- The watcher's lag -----------------------------------------------------------------

namespace {

// A screen reader as the pace is set for it, on the game's own clock: 2.5 words a second,
// "уведомление" before each text, and whatever comes while it speaks waits its turn.
struct Reader {
    double freeAt = 0, worstBehind = 0;
    std::vector<std::string> heard;
    static int Words(const std::string& text) {
        std::stringstream in(text);
        int n = 0;
        for (std::string w; in >> w;)
            n += std::any_of(w.begin(), w.end(), [](unsigned char c) { return c >= 0x80 || std::isalnum(c); });
        return n;
    }
    void Hear(const std::string& text, double arrives, double shown) {
        const double start = std::max(arrives, freeAt);
        worstBehind = std::max(worstBehind, start - shown);
        freeAt = start + (Words(text) + 1) / 2.5;
        heard.push_back(text);
    }
};

// Waits that take their real time on a clock of their own; at the start of each the news
// is told to the pacer, and between waits the pacer passes on what it holds when it would.
class WatchedPauses : public Pauses {
public:
    WatchedPauses(Narration& news, int pace) : news_(news), pace_(pace) {}
    void Wait(const Pause& p) override {
        bool result = false;
        const std::string text = teller_.Watch(news_.Take(), pace_, result);
        if (!text.empty()) added_.push_back({text, now_});
        pacer_.Add(text, result, now_);
        const double end = now_ + std::chrono::duration<double>(PauseDuration(p)).count();
        PassOn();
        while (pacer_.NextTime() >= 0 && pacer_.NextTime() < end) {
            now_ = std::max(now_, pacer_.NextTime());
            PassOn();
        }
        now_ = end;
    }
    // After the game: the pacer lets go of what still waits.
    void Finish() {
        Wait({PauseKind::PlayerCovered, 0, 0, 0});
        while (pacer_.NextTime() >= 0) {
            now_ = std::max(now_, pacer_.NextTime());
            PassOn();
        }
    }
    Reader reader;

private:
    void PassOn() {
        const std::string text = pacer_.Next(now_);
        if (text.empty()) return;
        // The newest text added with these words is the one passed on.
        auto it = std::find_if(added_.rbegin(), added_.rend(), [&](const auto& a) { return a.first == text; });
        reader.Hear(text, now_, it->second);
    }
    Narration& news_;
    int pace_;
    Commentator teller_;
    Pacer pacer_;
    std::vector<std::pair<std::string, double>> added_;
    double now_ = 0;
};

}  // namespace

// Between two computers, at every pace: never more than three seconds behind, no text
// twice in a row, at most six words until the result, which always comes with the
// statistics.
TEST(Spoken, AWatcherOfTwoComputersNeverFallsBehind) {
    for (int pace : {kPaceFast, kPaceMedium, kPaceSlow}) {
        double worst = 0;
        int texts = 0;
        for (std::uint64_t seed = 1; seed <= 40; ++seed) {
            Narration news;
            WatchedPauses pauses(news, pace);
            fakes::RecordingScreen screen;
            TextLayer text;
            SeededRandom random(seed);
            Game g(screen, text, pauses, random);
            g.watcher = &news;
            text.SetListener(&news);
            Form_Load(g);
            MenuTwoComputers(g);
            g.delayFactor = static_cast<Field>(pace);
            MenuNewGame(g);
            ASSERT_TRUE(g.decided);
            pauses.Finish();

            const auto& heard = pauses.reader.heard;
            ASSERT_FALSE(heard.empty());
            for (std::size_t i = 0; i + 1 < heard.size(); ++i) {
                EXPECT_NE(heard[i], heard[i + 1]) << "seed " << seed;
                EXPECT_LE(Reader::Words(heard[i]), Commentator::kWatchWords) << heard[i];
            }
            const std::string& last = heard.back();
            EXPECT_TRUE(last.find("Мы выиграли") == 0 || last.find("Комп выиграл") == 0 || last.find("Ничья") == 0) << last;
            EXPECT_NE(last.find("Комп взял "), std::string::npos) << last;
            worst = std::max(worst, pauses.reader.worstBehind);
            texts += static_cast<int>(heard.size());
        }
        EXPECT_LE(worst, Pacer::kMaxBehind) << "pace " << pace;
        EXPECT_GT(texts, 40 * 5) << "pace " << pace;
        std::cout << "pace " << pace << ": " << texts << " texts in 40 games, at worst " << worst << " s behind\n";
    }
}

// The pacer on its own: the newest text when the reader is free, older ones let go, none
// twice in a row, a stale one dropped, a result never.
TEST(Spoken, ThePacerPassesOnTheNewestTextWhenTheReaderIsFree) {
    Pacer p;
    p.Add("Мы ходим: дама пик.", false, 0.0);
    EXPECT_EQ(p.Next(0.0), "Мы ходим: дама пик.");  // 5 words: busy until 2.0
    p.Add("Комп кроет: король пик.", false, 0.5);
    p.Add("Мы подкидываем: дама бубен.", false, 1.0);
    EXPECT_EQ(p.Next(1.5), "");
    EXPECT_DOUBLE_EQ(p.NextTime(), 2.0);
    EXPECT_EQ(p.Next(2.0), "Мы подкидываем: дама бубен.");
    EXPECT_LT(p.NextTime(), 0);
    p.Add("Мы подкидываем: дама бубен.", false, 5.0);
    EXPECT_EQ(p.Next(5.0), "");  // not twice in a row
    p.Add("Бито: дама пик.", false, 6.0);
    EXPECT_EQ(p.Next(6.0 + Pacer::kMaxBehind), "");  // too late to be heard in time
    // What must be heard waits its turn however long, before anything newer.
    p.SaidNow("Стол пуст", 20.0);
    p.Add("Новая игра. Козырь: король пик.", true, 20.0);
    p.Add("Мы ходим: дама пик.", false, 21.0);
    EXPECT_EQ(p.Next(20.0), "");
    EXPECT_EQ(p.Next(30.0), "Новая игра. Козырь: король пик.");
    EXPECT_EQ(p.Next(p.NextTime()), "");  // the move is no longer heard in time
    p.Add("Бито: дама пик.", false, 40.0);
    p.Add("Комп выиграл.", true, 40.0);
    EXPECT_EQ(p.Next(40.0), "Комп выиграл.");
    EXPECT_LT(p.NextTime(), 0);  // what was waiting before the result is let go
}
