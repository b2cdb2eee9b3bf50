// The game's window as the program opens it, for the tests of the accessible objects and
// of what a screen reader is told: besides, every few milliseconds it writes what the
// picture slots show, in words (the cards of the hand in slot order, each table pair, the
// trump, the fan, the computer's cards face up, the button), which of its waits runs, and
// every printed line with its place to a file, one line of JSON per change, stamped with
// the time on the steady clock, so a test can check what a screen reader hears and reads
// against what is on screen, and when it was there. Run as: durak_screen_probe <file>.

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <cstdio>
#include <string>

#include "cards/card_code.h"
#include "cards/card_names.h"
#include "cards/picture_catalogue.h"
#include "ui/form1.h"

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}

// The things a screen reader hears of, as the slots show them.
std::string Describe(durak::qt::Form1& window) {
    using namespace durak;
    const qt::TableSurface& surface = *window.Surface();
    auto card = [&](int control) { return Quoted(CardName(CardOfPictureIndex(surface.ShownHolder(control)))); };
    std::string out = "{\"hand\": [";
    for (int s = 1; s <= 12; ++s) out += (s > 1 ? ", " : "") + card(HandSlotControl(s));
    // The pairs of the player's attack, then those of the computer's: attack card, cover.
    out += "], \"pairs\": [";
    for (int row = 0; row < 2; ++row)
        for (int k = 1; k <= kPairs; ++k)
            out += std::string(row || k > 1 ? ", [" : "[") +
                   card(row ? kComputerAttackPlace[k] : kPlayerAttackPlace[k]) + ", " +
                   card(row ? kPlayerDefencePlace[k] : kComputerDefencePlace[k]) + "]";
    const int trump = surface.ShownHolder(kTrumpSlot);
    const bool icon = trump >= kSuitIconHolder1 && trump <= kSuitIconHolder4;
    out += "], \"trump\": " + (icon ? Quoted(SuitNameInPlural(trump - kSuitIconHolder1 + 1)) : card(kTrumpSlot));
    out += ", \"fan\": " + std::to_string(BacksInFan(surface.ShownHolder(kComputerFanSlot)));
    out += ", \"faceup\": [";
    for (int k = 0; k < 6; ++k) out += (k ? ", " : "") + card(kComputerFaceUpSlot1 + k);
    out += std::string("], \"button\": ") + (surface.ShownHolder(kActionButtonSlot) ? "true" : "false");
    // Which of the game's waits runs, counted from the start; 0 between them.
    const qt::QtPauses& pauses = window.WindowPauses();
    out += ", \"wait\": " + std::to_string(pauses.InWait() ? pauses.Waits() : 0);
    out += ", \"runs\": [";
    bool first = true;
    for (const TextLayer::Run& run : surface.Text().Runs()) {
        out += (first ? "[" : ", [") + std::to_string(run.x) + ", " + std::to_string(run.y) + ", " +
               Quoted(run.text) + "]";
        first = false;
    }
    return out + "]";
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::fputs("usage: durak_screen_probe <file>\n", stderr);
        return 2;
    }
    std::FILE* out = std::fopen(argv[1], "w");
    if (!out) return 2;
    durak::qt::Form1::SendPixelsWithTheirRequests();
    QApplication app(argc, argv);
    durak::qt::Form1::ApplyStandardLook();
    durak::qt::Form1 window;
    window.show();

    std::string last;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&] {
        std::string now = Describe(window);
        if (now == last) return;
        const double t = std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
        std::fprintf(out, "%s, \"t\": %.4f}\n", now.c_str(), t);
        std::fflush(out);
        last = std::move(now);
    });
    timer.start(5);
    return app.exec();
}
