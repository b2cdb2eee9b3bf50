#include "ui/slot_table.h"

#include <stdexcept>

#include "cards/card_code.h"

namespace durak::qt {

namespace {

// Card size in twips: 71 × 96 pixels.
constexpr int kCardW = 1065, kCardH = 1440;
// Design size of the card places on the window.
constexpr int kPlaceW = 1095, kPlaceH = 1455;

using Table = std::array<SlotSpec, kLastControl + 1>;

void Put(Table& t, int control, int left, int top, int width, int height, int picture,
         bool shown) {
    t[control] = SlotSpec{control, left, top, width, height, picture, shown};
}

// The hidden picture holders: the 36 faces in four rows of ten, the fans of backs, the
// stock and the suit icons. Only the four blank holders are shown, and they show nothing.
void PutHolders(Table& t) {
    const int rowLeft[4] = {240, 3720, 240, 3720};
    const int rowTop[4] = {240, 240, 1920, 1920};
    for (int row = 0; row < 4; ++row) {
        for (int k = 1; k <= 10; ++k) {
            const int n = 10 * row + k;
            const int left = rowLeft[row] + 240 * (k - 1);
            if (IsBlankIndex(n)) Put(t, n, left, rowTop[row], kPlaceW, kPlaceH, 0, true);
            else Put(t, n, left, rowTop[row], kCardW, kCardH, n, false);
        }
    }
    // Fans of 6, 5, 4, 3, 2, 1, 9, 10 and 12 backs, lying about the table area; the
    // twelve-card fan hangs partly off the left edge.
    Put(t, 47, 240, 3600, 138 * 15, 94 * 15, 47, false);
    Put(t, 48, 2400, 3600, 125 * 15, 94 * 15, 48, false);
    Put(t, 49, 4440, 3600, 112 * 15, 94 * 15, 49, false);
    Put(t, 50, 6480, 3600, 99 * 15, 93 * 15, 50, false);
    Put(t, 51, 240, 1200, 85 * 15, 93 * 15, 51, false);
    Put(t, 52, 2400, 1200, 72 * 15, 94 * 15, 52, false);
    Put(t, 54, 4440, 1200, 141 * 15, 94 * 15, 54, false);
    Put(t, 55, 6480, 1200, 125 * 15, 94 * 15, 55, false);
    Put(t, 71, -1200, 2400, 137 * 15, 94 * 15, 71, false);
    // Suit icons: spade, club, diamond, heart.
    Put(t, 90, 7560, 2400, 66 * 15, 87 * 15, 90, false);
    Put(t, 91, 7800, 2160, 70 * 15, 95 * 15, 91, false);
    Put(t, 92, 8040, 1920, 72 * 15, 95 * 15, 92, false);
    Put(t, 93, 8280, 1680, 73 * 15, 102 * 15, 93, false);
}

// The slots the game draws into: the hand, the table, the fan, the trump card, the
// stock, the action button and the computer's cards shown face up at the end.
void PutDisplaySlots(Table& t) {
    for (int s = 1; s <= 12; ++s) {
        const int control = s <= 6 ? 40 + s : 71 + s;
        Put(t, control, 240 + 480 * (s - 1), 4920, s == 6 ? 1215 : kPlaceW, kPlaceH, 0, true);
    }
    struct Place { int control, left, top; };
    constexpr Place kTable[] = {
        {56, 120, 3360},  {57, 480, 2760},  {58, 1680, 3360}, {59, 2040, 2760},
        {60, 3240, 3360}, {61, 3600, 2760}, {62, 4800, 3360}, {63, 5160, 2760},
        {64, 6360, 3360}, {65, 6720, 2760}, {66, 7920, 3360}, {67, 8280, 2880},
        {72, 120, 2400},  {73, 480, 3240},  {74, 1680, 2400}, {75, 2040, 3240},
        {76, 3240, 2400}, {77, 3600, 3240}, {84, 4800, 2400}, {85, 6360, 2400},
        {86, 7920, 2400}, {87, 5160, 3240}, {88, 6720, 3240}, {89, 8280, 3240}};
    for (const Place& p : kTable) {
        Put(t, p.control, p.left, p.top, kPlaceW, p.control == 67 ? 1335 : kPlaceH, 0, true);
    }
    Put(t, 53, 6720, 360, 2295, 1455, 0, true);
    for (int k = 0; k < 6; ++k) Put(t, 94 + k, 6720 + 240 * k, 360, kPlaceW, kPlaceH, 0, true);
    Put(t, 68, 3600, 480, kPlaceW, 1335, 0, true);
    Put(t, 69, 5160, 600, 1530, 1080, 69, false);
    Put(t, 70, 7440, 4920, 1710, 1380, 70, true);
}

Table BuildTable() {
    Table t{};
    PutHolders(t);
    PutDisplaySlots(t);
    for (int c = kFirstControl; c <= kLastControl; ++c) {
        if (t[c].control != c) throw std::logic_error("slot table has a gap");
    }
    return t;
}

}  // namespace

const SlotSpec& SlotOf(int control) {
    static const Table table = BuildTable();
    if (control < kFirstControl || control > kLastControl) {
        throw std::out_of_range("no such picture slot");
    }
    return table[control];
}

}  // namespace durak::qt
