// The picture holders of the window and the display operations built on them. A
// display slot shows a card by copying the picture of the holder whose number is the
// card's picture index; fans, suit icons, the stock and the button have holders too.
#pragma once

#include "cards/card_code.h"
#include "cards/numbers.h"
#include "ports/ports.h"

namespace durak {

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
    if (holder == 0) return;  // 0 or no card: the slot keeps its picture
    screen.SetPicture(slot, holder);
}
// The slot shows the blank picture, and so nothing.
inline void ClearSlot(Screen& screen, int slot) { screen.SetPicture(slot, kBlankHolder); }
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
