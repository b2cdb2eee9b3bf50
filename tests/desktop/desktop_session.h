// The installed program as a user meets it: the real `durak` executable, started on an
// X display, found by its window caption, driven with real keys and clicks through the
// X server, and closed the way a window manager closes a window. The desktop tests and
// the close-latency benchmark share it.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct xcb_connection_t;

namespace durak::desktop {

using Clock = std::chrono::steady_clock;

// How a finished program ended.
struct ProgramEnd {
    bool exited = false;  // ended by returning from main, not by a signal
    int status = -1;      // its exit code, or the signal number
    Clock::time_point at; // when its end was observed
    // The game was seen in a wait after its window had left the screen: the close was
    // taken, but the moves went on.
    bool waitedAfterClose = false;
};

// A rectangle on the screen, in the screen's pixels.
struct ScreenRect {
    int x = 0, y = 0, width = 0, height = 0;
};

// The window's client area as shown, one 0xRRGGBB value per pixel.
struct ClientImage {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
    std::uint32_t At(int x, int y) const { return pixels.at(std::size_t(y * width + x)); }
};

class DesktopSession {
public:
    // Starts `executable` on the display named by DISPLAY, on Qt's X platform, with the
    // caller's environment and `extraEnvironment` ("NAME=value") on top.
    explicit DesktopSession(const std::string& executable,
                            const std::vector<std::string>& extraEnvironment = {});
    // A program still running is killed: no test leaves a window behind.
    ~DesktopSession();
    DesktopSession(const DesktopSession&) = delete;
    DesktopSession& operator=(const DesktopSession&) = delete;

    bool Started() const { return pid_ > 0 && connection_ != nullptr; }
    pid_t Pid() const { return pid_; }

    // Waits (at most `guard`) for the program's shown top-level window with the
    // caption "Карты/Дурак"; false when none came.
    bool FindWindow(std::chrono::milliseconds guard);
    std::uint32_t Window() const { return window_; }
    // Where the window lies on the screen (the virtual screen has no window manager to
    // add a frame).
    std::optional<ScreenRect> WindowPlace() const;
    // The client area under the menu bar as the screen shows it now; empty when it
    // cannot be read.
    std::optional<ClientImage> GrabClient() const;
    // Waits (at most `guard`) for the window to carry an icon for the desktop, and gives
    // the side of its first picture (0 when none came).
    int IconSideWithin(std::chrono::milliseconds guard) const;

    // Menu choices, as the user makes them: "Новая" by a click, the slow two-computer
    // game by keyboard and clicks into the opened menus.
    bool ChooseNewGame();
    bool ChooseTwoComputersSlow();

    // A left click on the window's table at a point of its client area (pixels,
    // origin under the menu bar).
    bool ClickTable(int x, int y);
    // A click on the left strip of hand slot 1..12 (the part of a card no later card
    // covers; for an empty slot right of a card, that card's) and on the action button.
    bool ClickHandSlot(int slot);
    bool ClickActionButton();

    // The game is inside one of its waits: the program's main thread sleeps until the
    // wait's timer, less than a second away. An idle window has no deadline that near.
    bool InWait() const;
    // Looks for a wait until `guard` has passed; true as soon as one is seen.
    bool WaitSeenWithin(std::chrono::milliseconds guard) const;

    // What a window manager sends when the user closes the window (its close button,
    // Alt+F4): the WM_DELETE_WINDOW protocol message. Returns when it was sent.
    Clock::time_point SendCloseRequest();
    // What a tool that closes windows by force does (xdotool windowclose): another
    // client destroys the window outright. Returns when the request was sent.
    Clock::time_point DestroyWindow();

    // Waits (at most `guard`) for the program to end, watching whether a wait still
    // runs after the window has gone. A window destroyed by another client leaves the
    // screen before the program hears of it: a wait seen within `telling` of that is the
    // program not yet told, and does not count. Empty when the program is still running.
    std::optional<ProgramEnd> WaitForEnd(std::chrono::milliseconds guard,
                                         std::chrono::milliseconds telling = std::chrono::milliseconds(0));

private:
    // A shown top-level window of the program, its place on the screen and caption.
    struct Shown {
        std::uint32_t id;
        std::string caption;
        int x, y, width, height;
    };
    std::vector<Shown> ShownWindows() const;
    std::optional<std::vector<Shown>> WaitForMenus(std::size_t count,
                                                   std::chrono::milliseconds guard) const;
    bool ClickScreen(int x, int y);
    bool WindowShown() const;
    bool Xdotool(const std::vector<std::string>& arguments);
    bool Focus();
    int ClientTop() const;

    pid_t pid_ = -1;
    int pidfd_ = -1;
    xcb_connection_t* connection_ = nullptr;
    std::uint32_t root_ = 0;
    std::uint32_t window_ = 0;
    bool ended_ = false;
};

// The two situations in which a close must still end the program at once. Each
// returns with the game inside one of its waits, or false when it never got there.
//
// A two-computer game at the slow pace, dealt with "Новая": one chain of moves with
// waits between them, watched for a second before the session returns.
bool StartSlowTwoComputerGame(DesktopSession& session);
// The player against the computer: a deal, then clicks on the hand cards and the
// action button until a round end holds the table in view (the computer took, or the
// player covered and the round closes). The deal is not known, so the clicks try every
// hand slot in turn and end the round with the button after each pass.
bool PlayIntoRoundEndWait(DesktopSession& session);

// Runs a helper program with the given arguments and waits for it, at most `guard`;
// true when it ran and exited with code 0.
bool RunTool(const std::vector<std::string>& command, std::chrono::milliseconds guard);

// The program the tests start, named after GoogleTest's own arguments on the test
// program's command line (its main is desktop_test_main.cpp's).
const std::string& ProgramUnderTest();

}  // namespace durak::desktop
