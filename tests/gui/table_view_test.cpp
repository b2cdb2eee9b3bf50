// What a deal looks like on the window: the cards' pictures in the hand slots and the
// trump slot, the computer's fan, the computer's codes printed at the right, and the
// printed text under blank slots.

#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>

#include "cards/card_code.h"
#include "cards/picture_catalogue.h"
#include "flow/menu_events.h"
#include "window_test_support.h"

namespace durak::qt::testing {
namespace {

TEST(TableView, ANewGameShowsTheDealtCardsFanAndTrump) {
    TestWindow t;
    t.window.RunChain(MenuNewGame);
    Game& g = t.g();
    ASSERT_EQ(g.playerRole, 1);
    const QImage shot = GrabClient(t.surface());

    // Each hand card shows its face; a card is covered from the next slot's left edge
    // on, except the sixth, which lies over an empty seventh slot.
    for (int k = 1; k <= 6; ++k) {
        SCOPED_TRACE(k);
        const int holder = PictureIndexOf(g.playerHand[k]);
        ASSERT_NE(holder, 0);
        const QPoint at = t.slot(HandSlotControl(k)).pos();
        EXPECT_EQ(at, QPoint(16 + 32 * (k - 1), 328));
        EXPECT_EQ(PictureMismatches(shot, HolderImage(holder), at, k < 6 ? 32 : -1), 0);
        EXPECT_EQ(t.slot(HandSlotControl(k)).size(), QSize(71, 96));
        // Decoded for the deal, while the computer's cards, face down, are not.
        EXPECT_TRUE(t.surface().Pictures().Decoded(holder));
        EXPECT_FALSE(t.surface().Pictures().Decoded(PictureIndexOf(g.computerHand[k])));
    }
    // The trump card, face up, and the computer's six cards as a fan of backs.
    EXPECT_EQ(PictureMismatches(shot, HolderImage(PictureIndexOf(g.trumpCard)), QPoint(240, 32)), 0);
    EXPECT_EQ(PictureMismatches(shot, HolderImage(kFanHolder6), QPoint(448, 24)), 0);
    EXPECT_EQ(t.slot(kComputerFanSlot).size(), QSize(138, 94));
    // The other hand slots stay empty: the table's grey shows there.
    const QColor background = t.surface().palette().color(QPalette::Window);
    EXPECT_EQ(QColor(shot.pixel(t.slot(80).pos() + QPoint(40, 50))), background);
}

TEST(TableView, TheComputersCodesStandInAColumnAtTheRight) {
    TestWindow t;
    t.window.RunChain(MenuNewGame);
    const QImage shot = GrabClient(t.surface());
    // Six lines from y = 1900 twips, 200 twips apart, starting at x = 8700 (580 px).
    for (int k = 0; k < 6; ++k) {
        SCOPED_TRACE(k);
        const int top = (1900 + 200 * k) / 15;
        EXPECT_GT(DarkPixels(shot, QRect(581, top, 40, 12)), 5);
    }
    // Nothing printed left of the column or below it.
    EXPECT_EQ(DarkPixels(shot, QRect(540, 120, 36, 100)), 0);
    EXPECT_EQ(DarkPixels(shot, QRect(578, 215, 53, 40)), 0);
    // The pen's plotted pixel at the column's first line.
    EXPECT_LT(qGray(shot.pixel(580, 126)), 110);
}

TEST(TableView, TextIsPaintedInASmallSansSerifFace) {
    TestWindow t;
    const QFont font = TableSurface::TextFont();
    EXPECT_EQ(font.family(), QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(font.pointSize(), 8);
    const QFontMetrics metrics(font);
    // Statistics lines stand 200 twips (13.3 px) apart and must not run into each other.
    EXPECT_LE(metrics.height(), 13);
    EXPECT_LE(metrics.height() * 15, TextLayer::kLineHeight);

    // A text printed without a line break leaves the pen where the text ends on screen.
    TextLayer& text = t.window.Text();
    text.MoveTextPen(50, 250);
    text.Print({"Мы отбились ", 3});
    const int width = metrics.horizontalAdvance(QString::fromUtf8("Мы отбились  3 "));
    EXPECT_EQ(text.PenX(), 50 + 15 * width);
}

// The screen shows the printed lines as the font draws each text from its baseline, after
// more texts than are kept laid out came and went, and when a move erases them and
// prints another.
TEST(TableView, PrintedTextIsDrawnAsTheFontDrawsIt) {
    TestWindow t;
    TextLayer& text = t.window.Text();
    const QImage bare = ScreenShot(t);
    auto expected = [&](std::initializer_list<std::pair<QPoint, const char*>> lines) {
        QImage image = bare;
        QPainter p(&image);
        p.setFont(TableSurface::TextFont());
        for (const TextLayer::Pixel& px : text.Pixels()) p.drawPoint(px.x / 15, px.y / 15);
        for (const auto& [at, line] : lines)
            p.drawText(at.x(), at.y() + p.fontMetrics().ascent(), QString::fromUtf8(line));
        return image;
    };
    auto shown = [&] { t.surface().SyncText(); QCoreApplication::processEvents(); return ScreenShot(t); };
    for (int k = 0; k < 300; ++k, t.surface().SyncText(), t.surface().repaint()) {
        text.ClearText();
        text.PrintLine({k});
    }
    text.ClearText();
    text.MoveTextPen(50, 6420);
    text.PrintLine({"Мы отбидись..."});
    text.MoveTextPen(2550, 250);
    text.PrintLine({"Мы отбились ", 3, "раз"});
    text.PrintLine({6, 107, 12, 158, 201, 9});
    EXPECT_EQ(shown(), expected({{{3, 428}, "Мы отбидись..."}, {{170, 16}, "Мы отбились  3 раз"},
                                 {{0, 29}, " 6  107  12  158  201  9 "}}));
    text.ClearText();
    text.MoveTextPen(50, 6420);
    text.PrintLine({"Мы ходим"});
    EXPECT_EQ(shown(), expected({{{3, 428}, "Мы ходим"}}));
}

TEST(TableView, ABlankSlotShowsTheTextBeneathItAndACardHidesIt) {
    TestWindow t;
    t.window.RunChain(MenuNewGame);
    Game& g = t.g();
    TextLayer& text = t.window.Text();
    // A line across hand slot 1 (which holds a card) and table place 60 (blank).
    text.MoveTextPen(300, 5400);
    text.PrintLine({"ЖЖЖЖЖЖ"});
    text.MoveTextPen(3300, 3900);
    text.PrintLine({"ЖЖЖЖЖЖ"});
    t.surface().SyncText();
    const QImage shot = GrabClient(t.surface());

    EXPECT_EQ(PictureMismatches(shot, HolderImage(PictureIndexOf(g.playerHand[1])),
                                QPoint(16, 328), 32), 0);
    EXPECT_GT(DarkPixels(shot, QRect(220, 260, 60, 13)), 20);
    ASSERT_TRUE(t.slot(60).isVisible());
    ASSERT_TRUE(t.slot(60).Picture().isNull());

    // Taking the card out of slot 1 uncovers the text under it.
    ClearSlot(t.surface(), HandSlotControl(1));
    const QImage after = GrabClient(t.surface());
    EXPECT_GT(DarkPixels(after, QRect(20, 360, 12, 13)), 5);
    // The empty slot keeps its place and size, so it can still be clicked.
    EXPECT_EQ(t.slot(41).geometry(), TwipsRect(240, 4920, 1095, 1455));
}

TEST(TableView, PicturesAreCopiedFromTheHoldersAndShared) {
    TestWindow t;
    Screen& screen = t.surface();
    screen.SetPicture(68, 93);  // the heart icon as the trump sign
    EXPECT_EQ(t.slot(68).size(), QSize(73, 102));
    EXPECT_EQ(t.slot(68).Picture().cacheKey(), t.slot(93).Picture().cacheKey());
    screen.SetPicture(68, 35);  // a blank holder clears like the blank picture
    EXPECT_TRUE(t.slot(68).Picture().isNull());
    EXPECT_EQ(t.slot(68).geometry(), TwipsRect(3600, 480, 1095, 1335));
    // Numbers that name no slot change nothing and do no harm.
    screen.SetPicture(0, 1);
    screen.SetPicture(100, 1);
    screen.SetPicture(41, 0);
    screen.SetVisible(-3, true);
    EXPECT_TRUE(t.slot(41).Picture().isNull());
    screen.SetVisible(94, false);
    EXPECT_FALSE(t.slot(94).isVisible());
}

}  // namespace
}  // namespace durak::qt::testing
