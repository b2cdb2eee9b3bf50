// Card codes, the picture numbering and the display operations over the screen.
#include <gtest/gtest.h>

#include <set>

#include "cards/card_code.h"
#include "cards/card_names.h"
#include "cards/picture_catalogue.h"
#include "support/fakes.h"

using namespace durak;

namespace {
const int kSpade6 = 6, kSpadeAce = 14, kClub10 = 60, kHeart6 = 156, kHeart10 = 160;
}

TEST(CardTests, EmptySlotPassesNoTest) {
    for (int s = 0; s < 4; ++s) EXPECT_FALSE(InSuit(0, s)) << s;
    EXPECT_FALSE(IsCard(0));
    EXPECT_FALSE(IsTrump(0, kSpade6));  // spades trump: an empty slot is no trump
    EXPECT_EQ(SuitNumberOf(0), 0);
}

TEST(CardTests, SuitBandsAreOpenIntervals) {
    EXPECT_TRUE(InSuit(6, 0));
    EXPECT_TRUE(InSuit(14, 0));
    EXPECT_FALSE(InSuit(15, 0));
    EXPECT_FALSE(InSuit(50, 1));
    EXPECT_TRUE(InSuit(51, 1));  // band test only: no real card has rank 1
    EXPECT_TRUE(InSuit(164, 3));
    EXPECT_FALSE(InSuit(165, 3));
    EXPECT_EQ(SuitUpperBound(1), 15);
    EXPECT_EQ(SuitUpperBound(4), 165);
}

TEST(CardTests, TrumpSuitReadOffTheTrumpCard) {
    EXPECT_EQ(TrumpSuit(kClub10), 1);
    EXPECT_EQ(TrumpSuit(0), -1);
    EXPECT_TRUE(IsTrump(56, kClub10));
    EXPECT_FALSE(IsTrump(106, kClub10));
    EXPECT_FALSE(IsTrump(56, 0));  // no trump card, no trumps
}

TEST(CardTests, SameRankOnlyAcrossSuits) {
    EXPECT_TRUE(SameRank(kSpade6, kHeart6));
    EXPECT_TRUE(SameRank(kHeart6, kSpade6));
    EXPECT_TRUE(SameRank(59, 109));
    EXPECT_FALSE(SameRank(kSpade6, 0));
    EXPECT_FALSE(SameRank(59, 59));  // equality is no match
    EXPECT_FALSE(SameRank(59, 60));
    for (int b : {6, 7, 14, 56, 64, 106, 114, 156, 164}) EXPECT_FALSE(SameRank(0, b)) << b;
}

TEST(PictureIndex, ConversionsOverAllFortyIndices) {
    std::set<int> cards;
    for (int n = 1; n <= 40; ++n) {
        const int c = CardOfPictureIndex(n);
        if (IsBlankIndex(n)) {
            EXPECT_EQ(c, 0) << n;
            continue;
        }
        ASSERT_TRUE(IsCard(c)) << n;
        EXPECT_EQ(PictureIndexOf(c), n);
        cards.insert(c);
    }
    EXPECT_EQ(cards.size(), 36u);
    EXPECT_EQ(CardOfPictureIndex(40), kHeart10);
    EXPECT_EQ(CardOfPictureIndex(1), 11);   // jack of spades
    EXPECT_EQ(CardOfPictureIndex(4), kSpadeAce);
    EXPECT_EQ(CardOfPictureIndex(16), 56);  // six of clubs
    EXPECT_EQ(CardOfPictureIndex(0), 0);
    EXPECT_EQ(CardOfPictureIndex(41), 0);
    EXPECT_EQ(PictureIndexOf(0), 0);
    EXPECT_EQ(PictureIndexOf(15), 0);  // no card has that code
    EXPECT_EQ(PictureIndexOf(100), 0);
}

// Every code a slot can hold, far outside the bands and at the ends of the 16-bit range
// too, gives what the bands say; only the 36 real cards are cards and have pictures.
TEST(CardTests, EveryCodeAgreesWithTheBands) {
    int cards = 0;
    for (int c = -40000; c <= 40000; ++c) {
        int band = -1;
        for (int s = 0; s < 4; ++s)
            if (50 * s + 1 <= c && c <= 50 * s + 14) band = s;
        const bool realCard = band >= 0 && c - 50 * band >= 6;
        ASSERT_EQ(SuitOf(c), band) << c;
        ASSERT_EQ(IsCard(c), realCard) << c;
        if (realCard) {
            ++cards;
            ASSERT_EQ(CardOfPictureIndex(PictureIndexOf(c)), c) << c;
        } else {
            ASSERT_EQ(PictureIndexOf(c), 0) << c;
        }
    }
    EXPECT_EQ(cards, 36);
    EXPECT_FALSE(IsCard(51));  // in the clubs band, but no card has rank 1
    EXPECT_FALSE(IsCard(55));
    EXPECT_TRUE(IsCard(56));
}

TEST(DisplayOperations, ShowCardKeepsThePictureForNoCard) {
    fakes::RecordingScreen screen;
    ShowCard(screen, 43, 59);
    EXPECT_EQ(screen.PictureOf(43), PictureIndexOf(59));
    ShowCard(screen, 43, 0);
    ShowCard(screen, 43, 15);
    EXPECT_EQ(screen.PictureOf(43), PictureIndexOf(59));
    ClearSlot(screen, 43);
    EXPECT_EQ(screen.PictureOf(43), kBlankHolder);
    ShowCard(screen, 68, kHeart10);
    EXPECT_EQ(screen.PictureOf(68), 40);
}

TEST(DisplayOperations, FanFollowsTheCardCount) {
    fakes::RecordingScreen screen;
    ShowFan(screen, 7);
    EXPECT_EQ(screen.PictureOf(53), 47);  // six backs
    ShowFan(screen, 8);
    EXPECT_EQ(screen.PictureOf(53), 54);  // nine backs
    ShowFan(screen, 16);
    EXPECT_EQ(screen.PictureOf(53), 71);  // twelve backs
    ShowFan(screen, 0);
    ShowFan(screen, 17);
    EXPECT_EQ(screen.PictureOf(53), 71);  // unchanged
    ShowFan(screen, 1);
    EXPECT_EQ(screen.PictureOf(53), 52);
    ShowFan(screen, 11);
    EXPECT_EQ(screen.PictureOf(53), 55);
}

TEST(DisplayOperations, SuitIconAndHandSlotNames) {
    fakes::RecordingScreen screen;
    SuitIcon(screen, 4);
    EXPECT_EQ(screen.PictureOf(68), 93);
    SuitIcon(screen, 0);
    EXPECT_EQ(screen.PictureOf(68), 93);
    for (int s = 1; s <= 12; ++s) EXPECT_EQ(HandSlotOfControl(HandSlotControl(s)), s);
    EXPECT_EQ(HandSlotControl(6), 46);
    EXPECT_EQ(HandSlotControl(7), 78);
    EXPECT_EQ(HandSlotOfControl(70), 0);
    EXPECT_EQ(HandSlotOfControl(47), 0);
}

// A card read out: rank, then suit in the genitive; every one of the 36 cards has a name
// of its own, and no other code has one. The fan's name counts the backs its picture
// shows, which for 7 or 8 cards is not the number of cards.
TEST(DisplayOperations, CardsAndFansInWords) {
    EXPECT_EQ(CardName(12), "дама пик");
    EXPECT_EQ(CardName(kHeart10), "десятка червей");
    EXPECT_EQ(CardName(106), "шестёрка бубен");
    EXPECT_EQ(CardName(64), "туз треф");
    EXPECT_EQ(CardName(111), "валет бубен");
    std::set<std::string> names;
    for (int c = -5; c <= 170; ++c) {
        if (CardOfPictureIndex(PictureIndexOf(c)) == c && c != 0) names.insert(CardName(c));
        else EXPECT_EQ(CardName(c), "") << c;
    }
    EXPECT_EQ(names.size(), 36u);
    EXPECT_EQ(SuitNameInPlural(1), "пики");
    EXPECT_EQ(SuitNameInPlural(4), "черви");
    EXPECT_EQ(SuitNameInPlural(0), "");
    EXPECT_EQ(SuitNameInPlural(5), "");
    const int backs[17] = {0, 1, 2, 3, 4, 5, 6, 6, 9, 9, 9, 10, 10, 10, 12, 12, 12};
    for (int count = 1; count <= 16; ++count)
        EXPECT_EQ(BacksInFan(FanHolderForCount(count)), backs[count]) << count;
    EXPECT_EQ(BacksInFan(kStockHolder), 0);
    EXPECT_EQ(BacksInFan(12), 0);
}
