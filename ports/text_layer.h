// The text the game prints straight onto the window background: a pen position in
// twips, lines of text and single plotted pixels, all erased at once by ClearText.
//
// Only what can be seen is kept: text or pixels placed outside the client area are
// dropped, and the same pixel or the same text plotted again at the same place adds
// nothing. So a wait that prints 29000 empty lines, or plots one pixel 29000 times,
// leaves the layer as it was.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <string>
#include <vector>

namespace durak {

// One item of a printed line: a text, printed as it stands, or a number, printed as a
// space (a minus sign when negative), its digits and a space.
struct PrintItem {
    PrintItem(const char* t) : text(t) {}
    PrintItem(int number);
    std::string text;
};

class TextLayer {
public:
    // The status line under the player's hand, where the game's messages stand.
    static constexpr int kStatusLineX = 50;
    static constexpr int kStatusLineY = 6420;

    // Client area in twips (15 twips to a pixel).
    static constexpr int kClientWidth = 9465;
    static constexpr int kClientHeight = 6660;
    // Line height in twips: 13 pixels, within the 200 twips the layout allows.
    static constexpr int kLineHeight = 195;

    struct Run {
        std::int64_t x, y;  // top-left of the text, twips
        std::string text;   // UTF-8
        bool operator==(const Run&) const = default;
    };
    struct Pixel {
        std::int64_t x, y;
        bool operator==(const Pixel&) const = default;
    };

    // Hears each line the moment it comes onto the window (a screen reader's account of
    // the play listens here). Lines that add nothing to the window are not heard.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void Printed(const Run& run) = 0;
    };
    void SetListener(Listener* listener) { listener_ = listener; }

    // Width of a text in twips, used to leave the pen after text printed without a line
    // break. The window supplies its font's measure; the default assumes 90 twips a glyph.
    void SetWidthMeasure(std::function<int(const std::string&)> measure);

    void ClearText();
    void MoveTextPen(std::int64_t x, std::int64_t y);
    // Prints the items from the pen, then moves the pen to x = 0 on the next line.
    void PrintLine(std::initializer_list<PrintItem> items = {});
    // Prints the items from the pen and leaves the pen just after them.
    void Print(std::initializer_list<PrintItem> items);
    // A message on the status line: the pen goes there and the message is printed as a line.
    void PrintStatus(const char* message);
    // The same after erasing all text: the message stands alone.
    void ClearAndPrintStatus(const char* message);
    // n empty lines at once: the pen moves n lines down.
    void PrintEmptyLines(std::int64_t n);

    std::int64_t PenX() const { return penX_; }
    std::int64_t PenY() const { return penY_; }
    const std::vector<Run>& Runs() const { return runs_; }
    const std::vector<Pixel>& Pixels() const { return pixels_; }

    // All visible text in print order, one run a line: handy for tests and traces.
    std::string Dump() const;
    // True when a run with exactly this text stands at (x, y).
    bool HasRunAt(std::int64_t x, std::int64_t y, const std::string& text) const;

    static std::string FormatNumber(int number);

private:
    void PrintRun(const std::string& text, bool lineBreak);

    std::int64_t penX_ = 0, penY_ = 0;
    std::vector<Run> runs_;
    std::vector<Pixel> pixels_;
    std::function<int(const std::string&)> measure_;
    Listener* listener_ = nullptr;
};

}  // namespace durak
