#include "ui/text_layer.h"

#include <algorithm>

namespace durak {

namespace {
// The pen stays far inside 64 bits however many empty lines are printed.
constexpr std::int64_t kPenLimit = std::int64_t{1} << 40;

std::int64_t Clamp(std::int64_t v) { return std::clamp(v, -kPenLimit, kPenLimit); }

int DefaultWidth(const std::string& utf8) {
    int glyphs = 0;
    for (unsigned char c : utf8) glyphs += (c & 0xC0) != 0x80;  // count code points
    return glyphs * 90;
}
}  // namespace

PrintItem::PrintItem(int number) : text(TextLayer::FormatNumber(number)) {}

std::string TextLayer::FormatNumber(int number) {
    if (number < 0) return "-" + std::to_string(-static_cast<long long>(number)) + " ";
    return " " + std::to_string(number) + " ";
}

void TextLayer::SetWidthMeasure(std::function<int(const std::string&)> measure) {
    measure_ = std::move(measure);
}

bool TextLayer::Visible(std::int64_t x, std::int64_t y) {
    return x < kClientWidth && y < kClientHeight && y > -kLineHeight;
}

void TextLayer::ClearText() {
    if (!runs_.empty() || !pixels_.empty()) ++revision_;
    runs_.clear();
    pixels_.clear();
    penX_ = penY_ = 0;
}

void TextLayer::MoveTextPen(std::int64_t x, std::int64_t y) {
    penX_ = Clamp(x);
    penY_ = Clamp(y);
    if (!Visible(penX_, penY_) || penX_ < 0 || penY_ < 0) return;
    const Pixel p{penX_, penY_};
    if (std::find(pixels_.begin(), pixels_.end(), p) != pixels_.end()) return;
    pixels_.push_back(p);
    ++revision_;
}

void TextLayer::PrintRun(std::string text, bool lineBreak) {
    if (text.empty()) return;
    // Only a print without a line break needs the text's width: the pen stays after it.
    const std::int64_t width = lineBreak ? 0 : (measure_ ? measure_(text) : DefaultWidth(text));
    if (Visible(penX_, penY_)) {
        Run run{penX_, penY_, std::move(text)};
        if (std::find(runs_.begin(), runs_.end(), run) == runs_.end()) {
            runs_.push_back(std::move(run));
            ++revision_;
        }
    }
    penX_ = Clamp(penX_ + width);
}

std::string TextLayer::Join(std::initializer_list<PrintItem> items) {
    if (items.size() == 1) return items.begin()->text;
    std::string line;
    for (const auto& item : items) line += item.text;
    return line;
}

void TextLayer::Print(std::initializer_list<PrintItem> items) { PrintRun(Join(items), false); }

void TextLayer::PrintLine(std::initializer_list<PrintItem> items) {
    // A line far outside the window leaves nothing to keep; the pen only moves on.
    if (Visible(penX_, penY_)) PrintRun(Join(items), true);
    PrintEmptyLines(1);
}

void TextLayer::PrintStatus(const char* message) {
    MoveTextPen(kStatusLineX, kStatusLineY);
    PrintLine({message});
}

void TextLayer::ClearAndPrintStatus(const char* message) {
    ClearText();
    PrintStatus(message);
}

void TextLayer::PrintEmptyLines(std::int64_t n) {
    if (n <= 0) return;
    penX_ = 0;
    // Saturate instead of overflowing: far below the window is far enough.
    penY_ = (n > kPenLimit / kLineHeight) ? kPenLimit : Clamp(penY_ + n * kLineHeight);
}

std::string TextLayer::Dump() const {
    std::string out;
    for (const auto& r : runs_) {
        out += r.text;
        out += '\n';
    }
    return out;
}

bool TextLayer::HasRunAt(std::int64_t x, std::int64_t y, const std::string& text) const {
    return std::find(runs_.begin(), runs_.end(), Run{x, y, text}) != runs_.end();
}

}  // namespace durak
