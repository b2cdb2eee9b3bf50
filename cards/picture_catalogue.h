// The picture holders of the window and the display operations built on them. A
// display slot shows a card by copying the picture of the holder whose number is the
// card's picture index; fans, suit icons, the stock and the button have holders too.
#pragma once

#include "cards/card_code.h"
#include "ui/ports.h"

namespace durak {

// Holders (hidden on the window; display slots copy their pictures).
constexpr int kBlankHolder = 5;  // the blank picture that clears a slot
constexpr int kFanHolder1 = 52, kFanHolder2 = 51, kFanHolder3 = 50, kFanHolder4 = 49,
              kFanHolder5 = 48, kFanHolder6 = 47, kFanHolder9 = 54, kFanHolder10 = 55,
              kFanHolder12 = 71;
constexpr int kStockHolder = 69;
constexpr int kButtonHolder = 70;
constexpr int kSuitIconHolder1 = 90;  // 90..93: spades, clubs, diamonds, hearts

// Display slots.
constexpr int kComputerFanSlot = 53;
constexpr int kTrumpSlot = 68;
constexpr int kStockSlot = 69;
constexpr int kActionButtonSlot = 70;
constexpr int kComputerFaceUpSlot1 = 94;  // 94..99: computerHand[1..6] at the game's end

// Hand slot s (1..12) of the player: Image41..46, then Image78..83.
constexpr int HandSlotControl(int s) { return s <= 6 ? 40 + s : 71 + s; }
// Hand slot number 1..12 of a control, 0 when the control is no hand slot.
constexpr int HandSlotOfControl(int control) {
    if (control >= 41 && control <= 46) return control - 40;
    if (control >= 78 && control <= 83) return control - 71;
    return 0;
}

// Table places of pair k (1..6) in each of the four rows.
constexpr int kPlayerAttackPlace[7] = {0, 56, 58, 60, 62, 64, 66};
constexpr int kComputerDefencePlace[7] = {0, 57, 59, 61, 63, 65, 67};
constexpr int kComputerAttackPlace[7] = {0, 72, 74, 76, 84, 85, 86};
constexpr int kPlayerDefencePlace[7] = {0, 73, 75, 77, 87, 88, 89};

// The fan holder for a computer hand of `count` cards; 0 for 0 or more than 16 cards.
constexpr int FanHolderForCount(int count) {
    switch (count) {
        case 1: return kFanHolder1;
        case 2: return kFanHolder2;
        case 3: return kFanHolder3;
        case 4: return kFanHolder4;
        case 5: return kFanHolder5;
        case 6: case 7: return kFanHolder6;
        case 8: case 9: case 10: return kFanHolder9;
        case 11: case 12: case 13: return kFanHolder10;
        case 14: case 15: case 16: return kFanHolder12;
        default: return 0;
    }
}

// The slot shows the face of `code`; for 0 or any value that is no card it keeps the
// picture it has.
inline void ShowCard(Screen& screen, int slot, int code) {
    const int holder = PictureIndexOf(code);
    if (holder == 0 || screen.unseen) return;  // 0 or no card: the slot keeps its picture
    screen.SetPicture(slot, holder);
}
// The slot shows the blank picture, and so nothing.
inline void ClearSlot(Screen& screen, int slot) {
    if (!screen.unseen) screen.SetPicture(slot, kBlankHolder);
}
// The slot shows `code`'s face when it is a card, and the blank picture otherwise.
inline void ShowCardOrBlank(Screen& screen, int slot, int code) {
    if (IsCard(code))
        ShowCard(screen, slot, code);
    else
        ClearSlot(screen, slot);
}
// All 24 table places go blank: both rows of the player's attack, then of the computer's.
void ClearTablePlaces(Screen& screen);
// The computer's fan Image53 shows `count` backs; 0 or more than 16 leaves it unchanged.
void ShowFan(Screen& screen, int count);
// The trump slot shows the icon of suit number n (1..4); other values change nothing.
void SuitIcon(Screen& screen, int suitNumber);

}  // namespace durak
