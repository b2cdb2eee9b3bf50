#include "ui/table_speech.h"

#include <utility>

#include "cards/card_code.h"
#include "cards/numbers.h"
#include "ui/table_accessibility.h"
#include "ui/table_surface.h"

namespace durak::qt {

TableSpeech::TableSpeech(Game& game, TableAccessibility& table, QObject* parent)
    : QObject(parent), game_(game), table_(table) {
    game_.watcher = &news_;
    game_.text.SetListener(&news_);
    paceTimer_.setSingleShot(true);
    paceTimer_.setTimerType(Qt::PreciseTimer);
    connect(&paceTimer_, &QTimer::timeout, this, [this] { PassOn(); });
}

TableSpeech::~TableSpeech() {
    if (game_.watcher == &news_) game_.watcher = nullptr;
    game_.text.SetListener(nullptr);
}

double TableSpeech::Now() const {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
}

void TableSpeech::AtWait() { Tell(false); }
void TableSpeech::AtRest() { Tell(true); }

// At the table every text goes out at once: the player sets the pace. Between two
// computers the pacer passes them on as a screen reader can follow.
void TableSpeech::Tell(bool atRest) {
    if (game_.playMode == kPlayModeTwoComputers) {
        bool must = false;
        pacer_.Add(teller_.Watch(news_.Take(), game_.delayFactor, must), must, Now());
        PassOn();
        return;
    }
    std::string text = news_.Empty() ? std::string() : teller_.Tell(news_.Take());
    const Played played = atRest ? std::exchange(playing_, {}) : Played{};
    if (played.card != 0 && text.empty() && PlayerCardIn(game_, played.slot) == played.card) {
        text = "Так нельзя: " + played.reason;  // the card stayed, and nothing else happened
    } else if (atRest && game_.playerRole != kNoGameYet && !game_.decided) {
        // Resting at the player's move in a game not yet decided: what is expected.
        if (!text.empty()) text += ' ';
        text += speech::Prompt(game_);
    }
    if (text.empty()) return;
    last_ = text;
    Send(text);
}

void TableSpeech::PassOn() {
    const std::string text = pacer_.Next(Now());
    if (!text.empty()) {
        last_ = text;
        table_.Announce(QString::fromStdString(text));
    }
    const double next = pacer_.NextTime();
    if (next >= 0) paceTimer_.start(std::max(0, static_cast<int>((next - Now()) * 1000) + 1));
}

void TableSpeech::Send(const std::string& text) {
    pacer_.SaidNow(text, Now());
    table_.Announce(QString::fromStdString(text));
}

void TableSpeech::Say(const std::string& text) { Send(text); }

void TableSpeech::Playing(int slot, int card, const std::string& reasonIfRefused) {
    playing_ = {slot, card, reasonIfRefused};
}

void TableSpeech::PleaseWait(long long wait) {
    if (wait == waitHeard_) return;
    waitHeard_ = wait;
    Send("Подождите");
}

void TableSpeech::ModeChanged() {
    last_ = speech::ModeAndPace(game_);
    Send(last_);
}

void TableSpeech::SayFocused() {
    const TableAccessibility::Entry* focused =
        table_.Find({TableKey::Kind::Slot, table_.Surface().FocusedControl()});
    if (!focused) return;
    const QString place = focused->description.isEmpty() ? QString() : QStringLiteral(", ") + focused->description;
    Say((focused->name + place).toStdString());
}

// The table, the hand and the trump as the window shows them; the computer's count as
// the game keeps it (its fan shows the count only roughly).
void TableSpeech::Answer(Question question) {
    table_.Current();
    const bool dealt = game_.playerRole != kNoGameYet;
    std::vector<std::string> names;
    auto named = [&](const TableAccessibility::Entry& e) { names.push_back(e.name.toStdString()); };
    switch (question) {
        case Question::Table:
            if (!dealt) return Say("Игры ещё нет");
            for (const auto& e : table_.Pairs()) named(e);
            return Say(speech::TableAnswer(names));
        case Question::Hand:
            if (!dealt) return Say("Игры ещё нет");
            for (const auto& e : table_.Objects())
                if (e.key.kind == TableKey::Kind::Slot && HandSlotOfControl(e.key.index) != 0) named(e);
            return Say(speech::HandAnswer(names));
        case Question::Trump: {
            const TableAccessibility::Entry* trump = table_.Find({TableKey::Kind::Slot, kTrumpSlot});
            const bool card = CardOfPictureIndex(table_.Surface().ShownHolder(kTrumpSlot)) != 0;
            return Say(speech::TrumpAnswer(trump ? trump->name.toStdString() : std::string(), card));
        }
        case Question::ComputerCount:
            if (!dealt) return Say("Игры ещё нет");
            return Say(speech::CountAnswer(game_.computerHand.CountNonZero()));
        case Question::Again:
            return Say(last_.empty() ? "Ещё ничего не сказано" : last_);
        case Question::Mode:
            return Say(speech::ModeAndPace(game_));
    }
}

}  // namespace durak::qt
