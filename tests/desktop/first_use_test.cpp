// The real program as a new user meets it: where its window opens on a small screen,
// which card a real click on the hand plays, and what it says with no display at all or
// with a platform that is not there.
// Run as: durak_first_use_test <path of the durak executable>.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <thread>

#include "desktop_session.h"
#include "support/run_program.h"

namespace durak::desktop {
namespace {

using namespace std::chrono_literals;

// The screen these cases run on is 800 × 600 pixels (DURAK_TEST_SCREEN), with no
// window manager: the window lies exactly where the program put it. Centred when it
// fits; at twice the scale it is larger than the screen, and centred its menu bar would
// lie above the top edge, so it opens at the top-left.
TEST(OpeningTheWindow, CentredWhenItFitsElseWithItsMenuBarOnTheScreen) {
    for (const auto& [scale, fits] : {std::pair{"QT_SCALE_FACTOR=1", true},
                                      std::pair{"QT_SCALE_FACTOR=2", false}}) {
        SCOPED_TRACE(scale);
        DesktopSession game(ProgramUnderTest(), {scale});
        ASSERT_TRUE(game.FindWindow(20s));
        const std::optional<ScreenRect> w = game.WindowPlace();
        ASSERT_TRUE(w.has_value());
        ASSERT_EQ(w->width <= 800 && w->height <= 600, fits);
        EXPECT_NEAR(w->x, fits ? (800 - w->width) / 2 : 0, 1);
        EXPECT_NEAR(w->y, fits ? (600 - w->height) / 2 : 0, 1);
    }
}

// After the deal the sixth card (71 × 96 at x = 176, y = 328 of the client area) lies
// in full view, and the empty seventh slot's area reaches over its right half. Real
// clicks: right of the card the empty slot reports its click ("Мы ходим" on the status
// line, nothing played); on the card's right half the card goes onto the table's first
// attack place at (8, 224), where the next card leaves its left strip in view.
TEST(ClickingTheHand, TheVisiblePartOfTheLastCardPlaysItAndTheStripBesideItIsTheEmptySlots) {
    DesktopSession game(ProgramUnderTest());
    ASSERT_TRUE(game.FindWindow(20s));
    // A card's rounded corners show what lies beneath, so pictures are compared 4 pixels
    // inside their edges; the corner at (628, 8) only ever shows the background.
    auto same = [](const ClientImage& a, int ax, int ay, const ClientImage& b, int bx, int by,
                   int width, int height) {
        for (int y = 4; y < height - 4; ++y)
            for (int x = 4; x < width - 4; ++x)
                if (a.At(ax + x, ay + y) != b.At(bx + x, by + y)) return false;
        return true;
    };
    auto bare = [](const ClientImage& a, int x0, int y0, int width, int height) {
        for (int y = y0; y < y0 + height; ++y)
            for (int x = x0; x < x0 + width; ++x)
                if (a.At(x, y) != a.At(628, 8)) return false;
        return true;
    };
    auto lookUntil = [&](auto seen) -> std::optional<ClientImage> {
        for (const Clock::time_point end = Clock::now() + 10s; Clock::now() < end;
             std::this_thread::sleep_for(20ms)) {
            std::optional<ClientImage> image = game.GrabClient();
            if (image && seen(*image)) return image;
        }
        return std::nullopt;
    };

    std::optional<ClientImage> dealt;
    for (int attempt = 0; attempt < 3 && !dealt; ++attempt) {  // a missed click is made again
        ASSERT_TRUE(game.ChooseNewGame());
        dealt = lookUntil([&](const ClientImage& i) { return !bare(i, 176, 328, 71, 96); });
    }
    ASSERT_TRUE(dealt) << "no deal came to the screen";
    ASSERT_TRUE(bare(*dealt, 3, 428, 120, 14) && bare(*dealt, 8, 224, 71, 96));

    ASSERT_TRUE(game.ClickTable(176 + 71 + 6, 376));
    const auto printed = lookUntil([&](const ClientImage& i) { return !bare(i, 3, 428, 120, 14); });
    ASSERT_TRUE(printed) << "a click right of the last card raised no empty slot's event";
    EXPECT_TRUE(same(*printed, 176, 328, *dealt, 176, 328, 71, 96) && bare(*printed, 8, 224, 71, 96))
        << "a card moved, though the click was beside the cards";

    ASSERT_TRUE(game.ClickTable(176 + 54, 376));
    EXPECT_TRUE(lookUntil([&](const ClientImage& i) { return same(i, 8, 224, *dealt, 176, 328, 24, 96); }))
        << "the card the click was on never reached the table";
}

// No display, or one named that is not there: one line saying what to set, and exit
// status 1 rather than an abort with a core dump.
TEST(WithoutADisplay, TheProgramSaysWhatToSetAndEndsWithStatusOne) {
    for (const char* display : {"", "DISPLAY=:64999 QT_QPA_PLATFORM=xcb"}) {
        SCOPED_TRACE(display);
        const auto [status, errors] = durak::testing::RunForErrors(
            "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM " + std::string(display) + " '" +
            ProgramUnderTest() + "'");
        EXPECT_EQ(status, 1);
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_NE(errors.find("set DISPLAY"), std::string::npos) << errors;
        EXPECT_NE(errors.find("QT_QPA_PLATFORM"), std::string::npos) << errors;
    }
}

// A platform asked for that no Qt plugin provides, while the display is there and good
// (these cases run on a virtual screen): the line names that platform and the ones there
// are, and says nothing of DISPLAY, which is not what is wrong.
TEST(WithoutADisplay, AnUnknownPlatformIsNamedWithThePlatformsThereAre) {
    for (const auto& [environment, option] : {std::pair{"QT_QPA_PLATFORM=bogus", ""},
                                              std::pair{"QT_QPA_PLATFORM=xcb", " -platform bogus"}}) {
        SCOPED_TRACE(environment + std::string(option));
        const auto [status, errors] = durak::testing::RunForErrors(
            "env " + std::string(environment) + " '" + ProgramUnderTest() + "'" + option);
        EXPECT_EQ(status, 1);
        EXPECT_EQ(errors.find('\n'), errors.size() - 1) << errors;
        EXPECT_NE(errors.find("\"bogus\""), std::string::npos) << errors;
        // The platforms of every Qt: the X display's and the one that shows nothing.
        EXPECT_NE(errors.find("offscreen"), std::string::npos) << errors;
        EXPECT_NE(errors.find("xcb"), std::string::npos) << errors;
        EXPECT_EQ(errors.find("DISPLAY"), std::string::npos) << errors;
    }
}

}  // namespace
}  // namespace durak::desktop
