#include "ports/text_layer.h"

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

// Whether text at (x, y) can show on the client area.
bool Visible(std::int64_t x, std::int64_t y) {
    return x < TextLayer::kClientWidth && y < TextLayer::kClientHeight && y > -TextLayer::kLineHeight;
}

std::string Joined(std::initializer_list<PrintItem> items) {
    std::string line;
    for (const PrintItem& item : items) line += item.text;
    return line;
}
}  // namespace

PrintItem::PrintItem(int number) : text(TextLayer::FormatNumber(number)) {}

// A number is printed with a leading space (or its minus sign) and a trailing space.
std::string TextLayer::FormatNumber(int number) {
    const long long magnitude = number < 0 ? -static_cast<long long>(number) : number;
    return (number < 0 ? "-" : " ") + std::to_string(magnitude) + " ";
}

void TextLayer::SetWidthMeasure(std::function<int(const std::string&)> measure) {
    measure_ = std::move(measure);
}

void TextLayer::ClearText() {
    runs_.clear();
    pixels_.clear();
    penX_ = penY_ = 0;
}

void TextLayer::MoveTextPen(std::int64_t x, std::int64_t y) {
    penX_ = Clamp(x);
    penY_ = Clamp(y);
    if (!Visible(penX_, penY_) || penX_ < 0 || penY_ < 0) return;
    const Pixel p{penX_, penY_};
    if (std::find(pixels_.begin(), pixels_.end(), p) == pixels_.end()) pixels_.push_back(p);
}

void TextLayer::PrintRun(const std::string& text, bool lineBreak) {
    if (text.empty()) return;
    const Run run{penX_, penY_, text};
    if (Visible(penX_, penY_) && std::find(runs_.begin(), runs_.end(), run) == runs_.end()) {
        runs_.push_back(run);
        if (listener_) listener_->Printed(run);
    }
    // Without a line break the pen stays just after the text.
    if (!lineBreak) penX_ = Clamp(penX_ + (measure_ ? measure_(text) : DefaultWidth(text)));
}

void TextLayer::Print(std::initializer_list<PrintItem> items) { PrintRun(Joined(items), false); }

void TextLayer::PrintLine(std::initializer_list<PrintItem> items) {
    PrintRun(Joined(items), true);
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
    for (const Run& r : runs_) out += r.text + '\n';
    return out;
}

bool TextLayer::HasRunAt(std::int64_t x, std::int64_t y, const std::string& text) const {
    return std::find(runs_.begin(), runs_.end(), Run{x, y, text}) != runs_.end();
}

}  // namespace durak
