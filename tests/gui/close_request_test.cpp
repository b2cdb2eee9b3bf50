// The window on a real X display. A close of the window by the window manager (the
// title bar's close button, Alt+F4) while a move waits: the request travels through the
// X server like the user's input, so a wait that merely left input queued would also
// leave the close waiting until the whole move is over. And two computers playing whole
// games in the real window, with its real waits, from "Новая" alone.

#include <gtest/gtest.h>

#include <QApplication>
#include <QGuiApplication>
#include <QTest>
#include <QTimer>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

#include "flow/menu_events.h"
#include "flow/pauses.h"
#include "platform/random_sources.h"
#include "ui/form1.h"

namespace durak::qt {
namespace {

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return atom;
}

// What a window manager sends when the user closes a window.
void SendDeleteWindow(QWidget& window) {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    ASSERT_NE(x11, nullptr);
    xcb_connection_t* c = x11->connection();
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = static_cast<xcb_window_t>(window.winId());
    message.type = Atom(c, "WM_PROTOCOLS");
    message.data.data32[0] = Atom(c, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(c, 0, message.window, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(c);
}

TEST(CloseRequest, AWindowManagerCloseDuringAWaitEndsTheMove) {
    Form1 window;
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_NE(qGuiApp->nativeInterface<QNativeInterface::QX11Application>(), nullptr);

    bool after = false;
    QTimer::singleShot(20, [&] { SendDeleteWindow(window); });
    window.RunChain([&](Game& g) {
        // Far longer than the request takes to come back from the X server.
        for (int k = 0; k < 5; ++k) g.pauses.Wait(PlayerCoveredPause());
        after = true;
    });
    EXPECT_FALSE(after);
    EXPECT_EQ(window.WindowPauses().Waits(), 1);
    EXPECT_TRUE(window.StopRequested());
    EXPECT_FALSE(window.isVisible());
}

// One "Новая" between two computers plays the game to its result: the result and the
// statistics stand on the window when the move returns, and not a single click was made.
void ExpectWholeGame(Form1& window) {
    const Game& g = window.GetGame();
    window.RunChain(MenuNewGame);
    EXPECT_FALSE(window.ChainRunning());
    EXPECT_TRUE(g.decided);
    const TextLayer& text = window.Text();
    const bool result = text.HasRunAt(50, 6420, "Мы выиграли") ||
                        text.HasRunAt(50, 6420, "Комп выиграл") ||
                        text.HasRunAt(50, 6420, "Ничья");
    EXPECT_TRUE(result) << text.Dump();
    bool statistics = false;
    for (const auto& run : text.Runs())
        statistics = statistics || (run.x == 50 && run.y == 1050 &&
                                    run.text.rfind("Комп взял ", 0) == 0);
    EXPECT_TRUE(statistics) << text.Dump();
    EXPECT_TRUE(g.playerHand.AllZero() || g.computerHand.AllZero());
}

TEST(TwoComputerGames, FiveGamesAtTheFastPaceEachEndWithTheirResult) {
    SeededRandom random(7);
    Form1 window(&random);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.RunChain(MenuFastGame);
    for (int game = 1; game <= 5; ++game) {
        SCOPED_TRACE(game);
        ExpectWholeGame(window);
    }
}

// "Два компа" opened without choosing a pace: the pace-scaled parts of the waits are 0.
TEST(TwoComputerGames, AGameWithoutAPaceEndsWithItsResult) {
    SeededRandom random(8);
    Form1 window(&random);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.RunChain(MenuTwoComputers);
    ASSERT_EQ(window.GetGame().delayFactor, 0);
    ExpectWholeGame(window);
}

}  // namespace
}  // namespace durak::qt

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "xcb");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    durak::qt::Form1::ApplyStandardLook();
    return RUN_ALL_TESTS();
}
