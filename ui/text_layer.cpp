#include "ui/text_layer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace durak {

namespace {
// The pen stays far inside 64 bits however many empty lines are printed.
constexpr std::int64_t kPenLimit = std::int64_t{1} << 40;

std::int64_t Clamp(std::int64_t v) { return std::clamp(v, -kPenLimit, kPenLimit); }

int DefaultWidth(std::string_view utf8) {
    int glyphs = 0;
    for (unsigned char c : utf8) glyphs += (c & 0xC0) != 0x80;  // count code points
    return glyphs * 90;
}
}  // namespace

// The numbers the game prints most (card codes, counts, the statistics), formatted once.
constexpr int kTabledNumbers = 256;
struct NumberTable {
    NumberTable() {
        for (int n = 0; n < kTabledNumbers; ++n) {
            const std::string t = " " + std::to_string(n) + " ";
            t.copy(text[n], sizeof text[n]);
            length[n] = static_cast<unsigned char>(t.size());
        }
    }
    char text[kTabledNumbers][8] = {};
    unsigned char length[kTabledNumbers] = {};
};
const NumberTable kNumbers;
constexpr bool Tabled(int number) { return number >= 0 && number < kTabledNumbers; }

void TextLayer::AppendNumber(std::string& out, int number) {
    if (Tabled(number)) {
        out.append(kNumbers.text[number], kNumbers.length[number]);
        return;
    }
    // A number is printed with a leading space (or its minus sign) and a trailing space.
    char digits[16];
    const long long magnitude = number < 0 ? -static_cast<long long>(number) : number;
    const auto end = std::to_chars(digits, digits + sizeof digits, magnitude).ptr;
    out += number < 0 ? '-' : ' ';
    out.append(digits, end);
    out += ' ';
}

std::string TextLayer::FormatNumber(int number) {
    std::string out;
    AppendNumber(out, number);
    return out;
}

void TextLayer::SetWidthMeasure(std::function<int(const std::string&)> measure) {
    measure_ = std::move(measure);
}

bool TextLayer::Visible(std::int64_t x, std::int64_t y) {
    return x < kClientWidth && y < kClientHeight && y > -kLineHeight;
}

void TextLayer::ClearText() {
    if (shown_ != 0 || !pixels_.empty()) ++revision_;
    shown_ = 0;
    pixels_.clear();
    runPlaces_ = pixelPlaces_ = 0;
    penX_ = penY_ = 0;
}

namespace {
std::uint64_t PlaceBit(std::int64_t x, std::int64_t y) {
    const auto h = static_cast<std::uint64_t>(x) * 0x9E3779B97F4A7C15ULL +
                   static_cast<std::uint64_t>(y) * 0xC2B2AE3D27D4EB4FULL;
    return std::uint64_t{1} << (h >> 58);
}
}  // namespace

void TextLayer::MoveTextPen(std::int64_t x, std::int64_t y) {
    penX_ = Clamp(x);
    penY_ = Clamp(y);
    if (!Visible(penX_, penY_) || penX_ < 0 || penY_ < 0) return;
    // The pen mostly comes back to a spot it has just been: look there first.
    const Pixel p{penX_, penY_};
    const std::uint64_t place = PlaceBit(p.x, p.y);
    if ((pixelPlaces_ & place) && std::find(pixels_.rbegin(), pixels_.rend(), p) != pixels_.rend())
        return;
    pixelPlaces_ |= place;
    pixels_.push_back(p);
    ++revision_;
}

void TextLayer::PrintRun(std::string_view text, bool lineBreak) {
    if (text.empty()) return;
    // Only a print without a line break needs the text's width: the pen stays after it.
    const std::int64_t width =
        lineBreak ? 0 : (measure_ ? measure_(std::string(text)) : DefaultWidth(text));
    if (Visible(penX_, penY_)) {
        const auto shown = runs_.begin() + static_cast<std::ptrdiff_t>(shown_);
        const std::uint64_t place = PlaceBit(penX_, penY_);
        const bool already = (runPlaces_ & place) && std::any_of(runs_.begin(), shown, [&](const Run& r) {
            return r.x == penX_ && r.y == penY_ && r.text == text;
        });
        if (!already) {
            runPlaces_ |= place;
            if (shown_ == runs_.size()) runs_.emplace_back();
            Run& run = runs_[shown_++];
            run.x = penX_;
            run.y = penY_;
            // The storage left from before the last clearing mostly has the length already.
            if (run.text.size() == text.size()) std::memcpy(run.text.data(), text.data(), text.size());
            else run.text.assign(text);
            ++revision_;
        }
    }
    penX_ = Clamp(penX_ + width);
}

std::string_view TextLayer::Join(std::initializer_list<PrintItem> items) {
    // One item alone is its own text, or a number's text from the table: nothing to copy.
    if (items.size() == 1) {
        const PrintItem& item = *items.begin();
        if (!item.isNumber) return item.text;
        if (Tabled(item.number))
            return {kNumbers.text[item.number], kNumbers.length[item.number]};
    }
    // A tabled number is copied as a whole word of 8 bytes (it is at most 5): the buffer
    // keeps that much room.
    std::size_t n = 0;
    for (const auto& item : items) {
        const std::size_t room = sizeof lineBuffer_ - n;
        if (item.isNumber && Tabled(item.number) && room >= 8) {
            std::memcpy(lineBuffer_ + n, kNumbers.text[item.number], 8);
            n += kNumbers.length[item.number];
        } else if (!item.isNumber && item.text.size() <= room) {
            std::memcpy(lineBuffer_ + n, item.text.data(), item.text.size());
            n += item.text.size();
        } else {
            return JoinLong(items);
        }
    }
    return {lineBuffer_, n};
}

std::string_view TextLayer::JoinLong(std::initializer_list<PrintItem> items) {
    line_.clear();
    for (const auto& item : items) {
        if (item.isNumber) AppendNumber(line_, item.number);
        else line_ += item.text;
    }
    return line_;
}

void TextLayer::Print(std::initializer_list<PrintItem> items) {
    PrintRun(Join(items), false);
}

void TextLayer::PrintLine(std::initializer_list<PrintItem> items) {
    // A line far outside the window leaves nothing to keep; the pen only moves on.
    if (Visible(penX_, penY_) && items.size() != 0) {
        PrintRun(Join(items), true);
    }
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
    for (const auto& r : Runs()) {
        out += r.text;
        out += '\n';
    }
    return out;
}

bool TextLayer::HasRunAt(std::int64_t x, std::int64_t y, const std::string& text) const {
    const auto runs = Runs();
    return std::find(runs.begin(), runs.end(), Run{x, y, text}) != runs.end();
}

}  // namespace durak
