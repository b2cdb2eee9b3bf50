#include "cards/picture_catalogue.h"

namespace durak {

void ClearTablePlaces(Screen& screen) {
    if (screen.unseen) return;
    for (int place = 56; place <= 67; ++place) ClearSlot(screen, place);
    for (int place = 72; place <= 77; ++place) ClearSlot(screen, place);
    for (int place = 84; place <= 89; ++place) ClearSlot(screen, place);
}

void ShowFan(Screen& screen, int count) {
    if (screen.unseen) return;
    const int holder = FanHolderForCount(count);
    if (holder == 0) return;
    screen.SetPicture(kComputerFanSlot, holder);
}

void SuitIcon(Screen& screen, int suitNumber) {
    if (screen.unseen) return;
    if (suitNumber < 1 || suitNumber > 4) return;
    screen.SetPicture(kTrumpSlot, kSuitIconHolder1 + suitNumber - 1);
}

}  // namespace durak
