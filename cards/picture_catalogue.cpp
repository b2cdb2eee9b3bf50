#include "cards/picture_catalogue.h"

namespace durak {

void ClearTablePlaces(Screen& screen) {
    for (int k = 1; k <= kPairs; ++k) {
        ClearSlot(screen, kPlayerAttackPlace[k]);
        ClearSlot(screen, kComputerDefencePlace[k]);
    }
    for (int k = 1; k <= kPairs; ++k) {
        ClearSlot(screen, kComputerAttackPlace[k]);
        ClearSlot(screen, kPlayerDefencePlace[k]);
    }
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
