#include "ui/slot_table.h"

#include <stdexcept>

#include "cards/card_code.h"
#include "cards/numbers.h"

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

// A hidden holder that starts with its own picture, of `width` × `height` pixels.
void PutHolder(Table& t, int holder, int left, int top, int width, int height) {
    Put(t, holder, left, top, width * kTwipsPerPixel, height * kTwipsPerPixel, holder, false);
}

// The hidden picture holders: the 36 faces in four rows of ten, the fans of backs, the
// stock and the suit icons. Only the four blank holders are shown, and they show nothing.
void PutHolders(Table& t) {
    const int rowLeft[4] = {240, 3720, 240, 3720};
    const int rowTop[4] = {240, 240, 1920, 1920};
    for (int row = 0; row < 4; ++row) {
        for (int k = 1; k <= 10; ++k) {
            const int n = kFirstCardHolder + 10 * row + k - 1;
            const int left = rowLeft[row] + 240 * (k - 1);
            if (IsBlankIndex(n)) Put(t, n, left, rowTop[row], kPlaceW, kPlaceH, 0, true);
            else Put(t, n, left, rowTop[row], kCardW, kCardH, n, false);
        }
    }
    // The fans of backs, lying about the table area; the twelve-card fan hangs partly
    // off the left edge.
    PutHolder(t, kFanHolder6, 240, 3600, 138, 94);
    PutHolder(t, kFanHolder5, 2400, 3600, 125, 94);
    PutHolder(t, kFanHolder4, 4440, 3600, 112, 94);
    PutHolder(t, kFanHolder3, 6480, 3600, 99, 93);
    PutHolder(t, kFanHolder2, 240, 1200, 85, 93);
    PutHolder(t, kFanHolder1, 2400, 1200, 72, 94);
    PutHolder(t, kFanHolder9, 4440, 1200, 141, 94);
    PutHolder(t, kFanHolder10, 6480, 1200, 125, 94);
    PutHolder(t, kFanHolder12, -1200, 2400, 137, 94);
    // Suit icons: spade, club, diamond, heart.
    PutHolder(t, kSuitIconHolder1, 7560, 2400, 66, 87);
    PutHolder(t, kSuitIconHolder1 + 1, 7800, 2160, 70, 95);
    PutHolder(t, kSuitIconHolder1 + 2, 8040, 1920, 72, 95);
    PutHolder(t, kSuitIconHolder4, 8280, 1680, 73, 102);
}

// A display slot, shown at start with no picture.
void PutPlace(Table& t, int control, int left, int top, int width = kPlaceW, int height = kPlaceH) {
    Put(t, control, left, top, width, height, 0, true);
}

// The slots the game draws into: the hand, the table, the fan, the trump card, the
// stock, the action button and the computer's cards shown face up at the end.
void PutDisplaySlots(Table& t) {
    // The hand in a row, each card 480 twips right of the one before; the sixth is wider.
    for (int s = 1; s <= kPlayerHandSlots; ++s)
        PutPlace(t, HandSlotControl(s), 240 + 480 * (s - 1), 4920, s == 6 ? 1215 : kPlaceW);
    // The six pairs of the table stand 1560 twips apart. The attack card lies low when
    // the player attacks and high when the computer does; the cover lies 360 twips to
    // its right, over it, shifted up or down.
    for (int k = 1; k <= kPairs; ++k) {
        const int left = 120 + 1560 * (k - 1);
        PutPlace(t, kPlayerAttackPlace[k], left, 3360);
        PutPlace(t, kComputerDefencePlace[k], left + 360, 2760);
        PutPlace(t, kComputerAttackPlace[k], left, 2400);
        PutPlace(t, kPlayerDefencePlace[k], left + 360, 3240);
    }
    // The last pair's cover when the player attacks lies a little lower and is shorter.
    PutPlace(t, kComputerDefencePlace[kPairs], 8280, 2880, kPlaceW, 1335);

    PutPlace(t, kComputerFanSlot, 6720, 360, 2295, 1455);
    for (int k = 0; k < kFrontSlots; ++k) PutPlace(t, kComputerFaceUpSlot1 + k, 6720 + 240 * k, 360);
    PutPlace(t, kTrumpSlot, 3600, 480, kPlaceW, 1335);
    Put(t, kStockSlot, 5160, 600, 1530, 1080, kStockHolder, false);  // never shown
    Put(t, kActionButtonSlot, 7440, 4920, 1710, 1380, kButtonHolder, true);
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
