#include "cards/picture_catalogue.h"

namespace durak {

void ShowCard(Screen& screen, int slot, int code) {
    const int holder = PictureIndexOf(code);
    if (holder == 0) return;  // 0 or no card: the slot keeps its picture
    screen.SetPicture(slot, holder);
}

void ClearSlot(Screen& screen, int slot) { screen.SetPicture(slot, kBlankHolder); }

void ShowCardOrBlank(Screen& screen, int slot, int code) {
    if (IsCard(code))
        ShowCard(screen, slot, code);
    else
        ClearSlot(screen, slot);
}

void ClearTablePlaces(Screen& screen) {
    for (int place = 56; place <= 67; ++place) ClearSlot(screen, place);
    for (int place = 72; place <= 77; ++place) ClearSlot(screen, place);
    for (int place = 84; place <= 89; ++place) ClearSlot(screen, place);
}

void ShowFan(Screen& screen, int count) {
    const int holder = FanHolderForCount(count);
    if (holder == 0) return;
    screen.SetPicture(kComputerFanSlot, holder);
}

void SuitIcon(Screen& screen, int suitNumber) {
    if (suitNumber < 1 || suitNumber > 4) return;
    screen.SetPicture(kTrumpSlot, kSuitIconHolder1 + suitNumber - 1);
}

}  // namespace durak
