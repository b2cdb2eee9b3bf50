// Fakes of the platform ports for the tests: a screen that records every slot change,
// pauses that record every wait, and a random source that plays back scripted values.
#pragma once

#include <deque>
#include <map>
#include <stdexcept>
#include <vector>

#include "flow/game.h"
#include "ports/ports.h"
#include "ports/text_layer.h"

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

    std::map<int, int> picture;
    std::map<int, bool> visible;
    std::vector<Op> log;
    int windowShown = 0;
};

class RecordingPauses : public Pauses {
public:
    void Wait(const Pause& p) override { waits.push_back(p); }
    std::vector<Pause> waits;
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

// Runs one step as the start of an event's chain: when the chain reaches a result,
// GameOver ends it wherever it is, as it does for an event.
inline void PlayStep(Game& g, void (*step)(Game&)) {
    try {
        step(g);
    } catch (const GameOver&) {
    }
}

// A game on fakes, ready to be set up field by field.
struct TestTable {
    RecordingScreen screen;
    TextLayer text;
    RecordingPauses pauses;
    ScriptedRandom random;
    Game g{screen, text, pauses, random};
};

}  // namespace durak::fakes
