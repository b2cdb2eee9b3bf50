// The real program as a new user meets it: where its window opens on a small screen,
// which card a real click on the hand plays, and what it says where no display can be
// opened at all.
//
// Run as: durak_first_use_test <path of the durak executable>; every case but the last
// with DISPLAY naming a virtual screen (run_on_x.sh gives each case its own).

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <thread>

#include "desktop_session.h"
#include "support/run_program.h"

namespace durak::desktop {
namespace {

using namespace std::chrono_literals;

std::string g_executable;

// The hand after a deal, in pixels of the client area: six cards of 71 × 96, each 32
// pixels right of the one before, from x = 16 at y = 328; the seventh slot, empty, lies
// over the right part of the sixth card. The first attack place of the table, where a
// played card goes, lies at (8, 224).
constexpr int kSixthLeft = 176, kHandTop = 328, kCardWidth = 71, kCardHeight = 96;
constexpr int kAttackPlaceLeft = 8, kAttackPlaceTop = 224;
// The next card on the table covers all but the attack card's left strip. A card's
// rounded corners let what lies beneath show through, so pictures are compared inside
// their edges.
constexpr int kAttackStrip = 24, kEdge = 4;
// The status line under the hand, where "Мы ходим" is printed.
constexpr int kStatusLeft = 3, kStatusTop = 428, kStatusWidth = 120, kStatusHeight = 14;
// A corner of the client area where nothing is ever drawn.
constexpr int kBareX = 628, kBareY = 8;

constexpr auto kGuard = 10s;

bool Dark(std::uint32_t rgb) {
    const int r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return (r * 11 + g * 16 + b * 5) / 32 < 110;
}

int DarkPixels(const ClientImage& image, int left, int top, int width, int height) {
    int count = 0;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x) count += Dark(image.At(x, y)) ? 1 : 0;
    return count;
}

// Whether the area shows only the bare background.
bool Bare(const ClientImage& image, int left, int top, int width, int height) {
    const std::uint32_t background = image.At(kBareX, kBareY);
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            if (image.At(x, y) != background) return false;
    return true;
}

// Whether the `width` × `height` pixels at (ax, ay) in `a` and at (bx, by) in `b` agree.
bool SamePixels(const ClientImage& a, int ax, int ay, const ClientImage& b, int bx, int by,
                int width, int height) {
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (a.At(ax + x, ay + y) != b.At(bx + x, by + y)) return false;
    return true;
}

// Looks at the client area until `seen` holds for it; the last look when it never did.
template <typename Check>
std::optional<ClientImage> LookUntil(const DesktopSession& game, Check seen, bool& held) {
    std::optional<ClientImage> image;
    const Clock::time_point deadline = Clock::now() + kGuard;
    held = false;
    do {
        image = game.GrabClient();
        if (image && seen(*image)) {
            held = true;
            return image;
        }
        std::this_thread::sleep_for(20ms);
    } while (Clock::now() < deadline);
    return image;
}

class OnTheDesktop : public ::testing::Test {
protected:
    void Open(const std::vector<std::string>& environment = {}) {
        ASSERT_FALSE(g_executable.empty()) << "no program named on the command line";
        game = std::make_unique<DesktopSession>(g_executable, environment);
        ASSERT_TRUE(game->Started()) << "could not start " << g_executable << " on the display";
        ASSERT_TRUE(game->FindWindow(20s)) << "no shown window with the caption Карты/Дурак";
    }

    std::unique_ptr<DesktopSession> game;
};

// ---------------------------------------------------------------------------------
// Where the window opens. The virtual screen of these cases is 800 × 600 pixels and has
// no window manager, so the window lies exactly where the program put it.

using OpeningTheWindow = OnTheDesktop;

TEST_F(OpeningTheWindow, ItOpensCentredOnAScreenItFits) {
    Open();
    const ScreenRect screen = game->Screen();
    const std::optional<ScreenRect> place = game->WindowPlace();
    ASSERT_TRUE(place.has_value());
    ASSERT_LE(place->width, screen.width);
    ASSERT_LE(place->height, screen.height);
    EXPECT_NEAR(place->x, (screen.width - place->width) / 2, 1);
    EXPECT_NEAR(place->y, (screen.height - place->height) / 2, 1);
}

// At twice the scale the window is larger than the small screen. Centred, its menu bar
// would lie above the screen's top edge, out of reach; it opens at the top-left instead.
TEST_F(OpeningTheWindow, TooLargeForTheScreenItKeepsItsMenuBarOnIt) {
    Open({"QT_SCALE_FACTOR=2"});
    const ScreenRect screen = game->Screen();
    const std::optional<ScreenRect> place = game->WindowPlace();
    ASSERT_TRUE(place.has_value());
    ASSERT_GT(place->width, screen.width) << "the window fits; the case tests nothing";
    ASSERT_GT(place->height, screen.height) << "the window fits; the case tests nothing";
    EXPECT_EQ(place->x, 0);
    EXPECT_EQ(place->y, 0);
}

// ---------------------------------------------------------------------------------
// Real clicks on the hand after a deal, at the points the user sees: the bare strip
// right of the last card, and the right half of that card, which the empty seventh
// slot's area lies over.

using ClickingTheHand = OnTheDesktop;

TEST_F(ClickingTheHand, TheVisiblePartOfTheLastCardPlaysItAndTheStripBesideItIsTheEmptySlots) {
    Open();
    // The deal: the sixth card shows, the table and the status line are bare. A click
    // on "Новая" that the window missed is made again.
    auto dealt = [](const ClientImage& image) {
        return !Bare(image, kSixthLeft, kHandTop, kCardWidth, kCardHeight) &&
               Bare(image, kStatusLeft, kStatusTop, kStatusWidth, kStatusHeight);
    };
    std::optional<ClientImage> before;
    bool held = false;
    for (int attempt = 0; attempt < 3 && !held; ++attempt) {
        ASSERT_TRUE(game->ChooseNewGame());
        before = LookUntil(*game, dealt, held);
    }
    ASSERT_TRUE(held) << "no deal came to the screen";
    ASSERT_TRUE(Bare(*before, kAttackPlaceLeft, kAttackPlaceTop, kCardWidth, kCardHeight));

    // Right of the card the seventh slot is empty and its click is reported like any
    // other: the attack step prints "Мы ходим" and finds no card to play.
    const int y = kHandTop + kCardHeight / 2;
    ASSERT_TRUE(game->ClickTable(kSixthLeft + kCardWidth + 6, y));
    const std::optional<ClientImage> afterStrip = LookUntil(
        *game,
        [](const ClientImage& image) {
            return DarkPixels(image, kStatusLeft, kStatusTop, kStatusWidth, kStatusHeight) > 20;
        },
        held);
    ASSERT_TRUE(held) << "a click right of the last card raised no empty slot's event";
    EXPECT_TRUE(SamePixels(*afterStrip, kSixthLeft, kHandTop, *before, kSixthLeft, kHandTop,
                           kCardWidth, kCardHeight))
        << "the last card changed, though the click was beside it";
    EXPECT_TRUE(Bare(*afterStrip, kAttackPlaceLeft, kAttackPlaceTop, kCardWidth, kCardHeight))
        << "a card was played from an empty slot";

    // The right half of the card: the card itself goes onto the table. It stays there at
    // least for the second the computer's take holds the table in view.
    ASSERT_TRUE(game->ClickTable(kSixthLeft + 54, y));
    LookUntil(
        *game,
        [&](const ClientImage& image) {
            return SamePixels(image, kAttackPlaceLeft + kEdge, kAttackPlaceTop + kEdge, *before,
                              kSixthLeft + kEdge, kHandTop + kEdge, kAttackStrip - kEdge,
                              kCardHeight - 2 * kEdge);
        },
        held);
    EXPECT_TRUE(held) << "the card the click was on never reached the table";
}

// ---------------------------------------------------------------------------------
// No display at all, or one named that is not there: a single line that says what to
// set, and exit status 1, not an abort with a core dump.

TEST(WithoutADisplay, TheProgramSaysWhatToSetAndEndsWithStatusOne) {
    ASSERT_FALSE(g_executable.empty()) << "no program named on the command line";
    struct Case {
        const char* what;
        std::vector<std::string> env;
    };
    const Case cases[] = {
        {"nothing set", durak::testing::EnvironmentWithout({"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})},
        {"the X platform on a display that is not there",
         durak::testing::EnvironmentWithout({"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"},
                                            {"DISPLAY=:64999", "QT_QPA_PLATFORM=xcb"})},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const durak::testing::ProgramRun run = durak::testing::RunProgram({g_executable}, c.env, 30s);
        ASSERT_TRUE(run.started);
        EXPECT_TRUE(run.exited) << "ended by signal " << run.status;
        EXPECT_EQ(run.status, 1);
        EXPECT_EQ(run.out, "");
        // One line, naming what to set.
        ASSERT_FALSE(run.err.empty());
        EXPECT_EQ(run.err.find('\n'), run.err.size() - 1) << run.err;
        EXPECT_NE(run.err.find("DISPLAY"), std::string::npos) << run.err;
        EXPECT_NE(run.err.find("QT_QPA_PLATFORM"), std::string::npos) << run.err;
    }
}

}  // namespace
}  // namespace durak::desktop

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) durak::desktop::g_executable = argv[1];
    return RUN_ALL_TESTS();
}
