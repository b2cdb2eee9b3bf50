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

// --- Hands, deck and stock -----------------------------------------------------------

constexpr int kPlayerHandSlots = 12;    // playerHand[1..12]
constexpr int kComputerHandSlots = 16;  // computerHand[1..16]
// Hand slots 1..6 of either seat: the deal fills them, the stock refills them, and at the
// game's end the computer's are turned face up.
constexpr int kFrontSlots = 6;
constexpr int kDeckSize = 36;                // deck[1..36], seenCards[1..36]
constexpr int kTrumpEntry = 13;              // deck[13] is the trump; seenCards[13] records it
constexpr int kFirstDrawEntry = 14;          // seenCards[14..36]: the stock's draws in order
constexpr int kDealtAtStart = 2 * kFrontSlots;  // dealtCount after the deal (the trump not counted)

// dealtCount at the start of a refill: above 33 the stock picture goes with its last card,
// above 34 nothing is left to draw; 35 once every card of the stock is in a hand.
constexpr std::int16_t kLastCardDealt = 33;
constexpr std::int16_t kStockUsedUp = 34;
constexpr std::int16_t kAllDrawn = 35;

// --- Random draws --------------------------------------------------------------------

// The shuffle draws a raw number below 42: 1..40 a picture number, 0 and 41 no card
// (noted in scratch as 1 and 160). At most 180 draws are counted.
constexpr int kShuffleDrawRange = 42;
constexpr int kLastPictureNumber = 40;
constexpr std::int16_t kRawZeroNote = 1, kRawFortyOneNote = 160;
constexpr int kShuffleLimit = 180;
// The stock draws a picture number below 41 (0 and the blanks are drawn again), in at most
// 305 counted draws a refill.
constexpr int kStockDrawRange = 41;
constexpr std::int16_t kDrawAttemptLimit = 305;
// The computer's lead draws its start suit below 5: a suit number 1..4, 0 is drawn again.
constexpr int kStartSuitDrawRange = 5;
constexpr int kSuitNumbers = 4;  // suit numbers 1 spades, 2 clubs, 3 diamonds, 4 hearts
// The automatic player draws a hand slot as a number below 12: 0..11, so slot 12 is never
// drawn (and 0 names none).
constexpr int kAutoSlotDrawRange = kPlayerHandSlots;

// --- Counters of the moves -------------------------------------------------------------

// The automatic player's attack draws again while the shared counter scratch is below 12.
constexpr std::int16_t kAutoLeadRedrawsBelow = 12;
// The automatic player's cover draws again while autoDefendTries is 12 or less.
constexpr std::int16_t kAutoDefendRedrawLimit = 12;
// The follow-up lets the player's reply run while autoDefendTries, counted up, is 26 or less.
constexpr std::int16_t kDefendTriesLimit = 26;
// Between two computers the automatic player adds again after the computer's cover while
// autoContinueCount is 12 or less; the fourteenth continuation ends the round.
constexpr std::int16_t kAutoContinueLimit = 12;
// Renewed replies between two computers before a forced round end.
constexpr std::int16_t kRenewedRepliesLimit = 8;
// With fewer than three cards left after a refill the player sees the score so far.
constexpr int kScoreShownBelowCards = 3;

// --- Rows of the table --------------------------------------------------------------

constexpr int kPairs = 6;  // attack/cover pairs of one round

// The computer's cover runs as three chained passes; the last one carries what follows.
constexpr int kCoveringPasses = 3;

// --- Text: the marks and positions the game prints at (twips) -------------------------

// The computer's defence prints this number at the pen as it starts covering: a bare mark
// of that step, which nothing reads. After "Мы ходим" it lands one line under the status
// line, at the window's bottom edge.
constexpr int kDefenceStartMark = 4;

struct PenPosition {
    int x, y;
};
constexpr PenPosition kComputerLine{50, 500};       // "Комп не пошел"; the pen after a covering move
constexpr PenPosition kMoveEndPen{50, 170};         // the pen after the computer's move, and before a round's variables are reset
constexpr PenPosition kFollowUpWaitPen{50, 50};     // the pen of the follow-up's wait
constexpr PenPosition kCardCountLine{7500, 20};     // "Карт-" and the computer's count
constexpr PenPosition kHandNumbersLine{2550, 6420};  // the player's front cards as numbers
// The computer's six codes at the deal, one under the other.
constexpr PenPosition kComputerCodesLine{8700, 1900};
constexpr int kComputerCodesLineStep = 200;
// The results: the computer's count (or "more than six") and the four statistics lines.
constexpr PenPosition kMoreThanSixLine{7000, 2000};
constexpr PenPosition kComputerCountLine{7500, 2000};
constexpr PenPosition kPlayerDefendedLine{50, 250};
constexpr PenPosition kComputerDefendedLine{50, 450};
constexpr PenPosition kPlayerTookLine{50, 850};
constexpr PenPosition kComputerTookLine{50, 1050};

// --- Waits: the counting loops they are made of ------------------------------------------

// A wait counts loops of these lengths; the platform gives a turn its real length. The
// shared counter scratch stops one past the end of the last loop a wait counts.
constexpr int kLongLoop = 29000;
constexpr int kShortLoop = 21000;
constexpr std::int16_t kLongWaitEnd = kLongLoop + 1;
constexpr std::int16_t kShortWaitEnd = kShortLoop + 1;
constexpr int kRoundEndSlowTurns = 1250;      // per count of the long loop: the round-end waits
constexpr int kRoundEndLongLoops = 2;         // between two computers each round end starts with
constexpr int kRoundEndShortLoops = 12;       //   2 long and 12 short loops of fast turns
constexpr int kAutoLeadClosingPace = 16000;   // × delayFactor slow turns, then
constexpr int kAutoLeadClosingShortLoops = 7;  //   7 short loops, before the automatic player's round end
constexpr int kDefendContinuationPace = 50;   // × delayFactor slow turns after the computer's cover
constexpr int kFollowUpPace = kShortLoop;     // × delayFactor slow turns after the player's reply
constexpr int kTwoComputerShortLoops = 12;    // the short loops closing both of those waits

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
