// The numbers the game compares its fields with, and the numbers of the window's picture
// holders and display slots, each under a name: one catalogue for all of them. The game
// state keeps the plain 16-bit values (a mode is 1 or 200 there); these are their names.
#pragma once

#include <cstdint>

namespace durak {

// --- Settings chosen in the menus (playMode, delayFactor) -----------------------------

constexpr std::int16_t kPlayModeHuman = 1;            // the human plays the bottom seat
constexpr std::int16_t kPlayModeTwoComputers = 200;  // the bottom seat plays itself

constexpr std::int16_t kPaceFast = 1;
constexpr std::int16_t kPaceMedium = 300;
constexpr std::int16_t kPaceSlow = 600;

// --- Whose move it is (playerRole, attackPhase) -------------------------------------

constexpr std::int16_t kNoGameYet = 0;       // playerRole before the first deal
constexpr std::int16_t kPlayerAttacks = 1;   // a hand card clicked is led or added
constexpr std::int16_t kPlayerDefends = 2;   // a hand card clicked covers

constexpr std::int16_t kNothingToCover = 2;     // the player's cover step hands over to the computer's attack
constexpr std::int16_t kComputerCardDown = 4;   // the computer has just put down a card

// --- Rows of the table --------------------------------------------------------------

constexpr int kPairs = 6;  // attack/cover pairs of one round

// --- Picture holders (hidden on the window; display slots copy their pictures) -------

// Holders 1..40 hold the card faces by picture index (5, 15, 25, 35 are blank).
constexpr int kFirstCardHolder = 1, kLastCardHolder = 40;
constexpr int kBlankHolder = 5;  // the blank picture that clears a slot
constexpr int kFanHolder1 = 52, kFanHolder2 = 51, kFanHolder3 = 50, kFanHolder4 = 49,
              kFanHolder5 = 48, kFanHolder6 = 47, kFanHolder9 = 54, kFanHolder10 = 55,
              kFanHolder12 = 71;
constexpr int kStockHolder = 69;
constexpr int kButtonHolder = 70;
constexpr int kSuitIconHolder1 = 90;  // 90..93: spades, clubs, diamonds, hearts
constexpr int kSuitIconHolder4 = 93;

// --- Display slots -------------------------------------------------------------------

constexpr int kComputerFanSlot = 53;
constexpr int kTrumpSlot = 68;
constexpr int kStockSlot = 69;
constexpr int kActionButtonSlot = 70;
constexpr int kComputerFaceUpSlot1 = 94;  // 94..99: computerHand[1..6] at the game's end
constexpr int kComputerFaceUpSlots = 6;

constexpr int kHandSlots = 12;  // the player's hand slots, 1..12
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

}  // namespace durak
