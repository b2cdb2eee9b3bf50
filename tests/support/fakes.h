// Fakes of the platform ports for the tests: a screen that records every slot change,
// pauses that record every wait with what the window showed as it began, and a random
// source that plays back scripted values. TestTable is a game on them.
#pragma once

#include <deque>
#include <map>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "flow/game.h"
#include "flow/procedures.h"
#include "ports/ports.h"
#include "ports/text_layer.h"
#include "support/table.h"

namespace durak::fakes {

class RecordingScreen : public Screen {
public:
    struct Op {
        enum Kind { Picture, Visible, Window } kind;
        int slot = 0;
        int value = 0;  // holder for Picture, 0/1 for Visible
    };

    void SetPicture(int slot, int holder) override {
        picture[slot] = holder;
        log.push_back({Op::Picture, slot, holder});
    }
    void SetVisible(int slot, bool v) override {
        visible[slot] = v;
        log.push_back({Op::Visible, slot, v ? 1 : 0});
    }
    void ShowWindow() override {
        ++windowShown;
        log.push_back({Op::Window, 0, 0});
    }

    // Holder whose picture the slot shows; 0 when it never got one.
    int PictureOf(int slot) const {
        auto it = picture.find(slot);
        return it == picture.end() ? 0 : it->second;
    }
    // Visibility as last set; `otherwise` when never set.
    bool IsVisible(int slot, bool otherwise = true) const {
        auto it = visible.find(slot);
        return it == visible.end() ? otherwise : it->second;
    }
    // The pictures the slot was given, in order.
    std::vector<int> PicturesGiven(int slot) const {
        std::vector<int> holders;
        for (const auto& op : log)
            if (op.kind == Op::Picture && op.slot == slot) holders.push_back(op.value);
        return holders;
    }

    std::map<int, int> picture;
    std::map<int, bool> visible;
    std::vector<Op> log;
    int windowShown = 0;
};

class RecordingPauses : public Pauses {
public:
    // A wait, with the printed text and the number of screen changes made as it began.
    struct Seen : Pause {
        std::string text;
        std::size_t screenOps = 0;
    };
    RecordingPauses() = default;
    RecordingPauses(const TextLayer& text, const RecordingScreen& screen)
        : text_(&text), screen_(&screen) {}

    void Wait(const Pause& p) override {
        waits.push_back({p, text_ ? text_->Dump() : std::string(), screen_ ? screen_->log.size() : 0});
    }
    int Count(PauseKind kind) const {
        int n = 0;
        for (const auto& w : waits) n += (w.kind == kind);
        return n;
    }
    std::vector<Seen> waits;

private:
    const TextLayer* text_ = nullptr;
    const RecordingScreen* screen_ = nullptr;
};

// Plays back scripted values in [0, 1). Running out is a test fault, reported loudly.
class ScriptedRandom : public RandomSource {
public:
    void Reseed() override { ++reseeds; }
    double Next() override {
        if (values.empty()) throw std::logic_error("scripted random source ran out");
        double v = values.front();
        values.pop_front();
        return v;
    }
    // Queue a value that gives the integer r when multiplied by k and rounded down.
    void PushInt(int r, int k) { values.push_back((r + 0.5) / k); }
    void Push(double v) { values.push_back(v); }

    std::deque<double> values;
    int reseeds = 0;
};

// Runs one step as an event runs its chain (RunEventChain, as the window and the
// simulator do): a result ends the chain wherever it is, and between two computers the
// event goes on until the game has its result.
inline void PlayStep(Game& g, void (*step)(Game&)) { RunEventChain(g, step); }

// A game on fakes: a fresh record, or one laid out as the rules speak of it.
struct TestTable {
    TestTable() = default;
    explicit TestTable(const Layout& layout) { SetTable(g, layout); }

    // The status line shows `message`.
    bool StatusShows(const std::string& message) const {
        return text.HasRunAt(TextLayer::kStatusLineX, TextLayer::kStatusLineY, message);
    }
    // Some printed text starts with `start`, wherever it stands.
    bool Printed(std::string_view start) const {
        for (const auto& run : text.Runs())
            if (std::string_view(run.text).starts_with(start)) return true;
        return false;
    }

    RecordingScreen screen;
    TextLayer text;
    RecordingPauses pauses{text, screen};
    ScriptedRandom random;
    Game g{screen, text, pauses, random};
};

}  // namespace durak::fakes
