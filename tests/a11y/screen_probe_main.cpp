// The game's window as the program opens it, for the tests of the accessible objects:
// besides, every few milliseconds it writes what the picture slots show (the holder of
// each shown slot) and every printed line with its place to a file, one line of JSON per
// change, so a test can check what a screen reader is told against what is on screen.
// Run as: durak_screen_probe <file>.

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <string>

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

// The slots a screen reader hears of: the hand, the table, the trump, the fan, the
// computer's cards face up and the action button.
std::string Describe(durak::qt::Form1& window) {
    const durak::qt::TableSurface& surface = *window.Surface();
    std::string out = "{\"slots\": {";
    bool first = true;
    auto slot = [&](int control) {
        out += (first ? "" : ", ") + Quoted(std::to_string(control)) + ": " +
               std::to_string(surface.ShownHolder(control));
        first = false;
    };
    for (int s = 1; s <= 12; ++s) slot(durak::HandSlotControl(s));
    for (int k = 1; k <= 6; ++k) {
        slot(durak::kPlayerAttackPlace[k]);
        slot(durak::kComputerDefencePlace[k]);
        slot(durak::kComputerAttackPlace[k]);
        slot(durak::kPlayerDefencePlace[k]);
    }
    for (int control : {durak::kTrumpSlot, durak::kComputerFanSlot, durak::kActionButtonSlot}) slot(control);
    for (int c = durak::kComputerFaceUpSlot1; c < durak::kComputerFaceUpSlot1 + 6; ++c) slot(c);
    out += "}, \"runs\": [";
    first = true;
    for (const durak::TextLayer::Run& run : surface.Text().Runs()) {
        out += (first ? "[" : ", [") + std::to_string(run.x) + ", " + std::to_string(run.y) + ", " +
               Quoted(run.text) + "]";
        first = false;
    }
    return out + "]}";
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
        std::fputs((now + "\n").c_str(), out);
        std::fflush(out);
        last = std::move(now);
    });
    timer.start(5);
    return app.exec();
}
