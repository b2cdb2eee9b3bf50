#include "desktop_session.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <thread>

extern char** environ;

namespace durak::desktop {

namespace {

using namespace std::chrono_literals;

constexpr const char* kCaption = "Карты/Дурак";

// The table's client area is 631 × 444 pixels; the menu bar above it takes the rest
// of the window's height.
constexpr int kClientWidth = 631, kClientHeight = 444;

// Hand slot k lies 32 pixels right of slot k − 1 and partly under it; the part of a
// card that no later slot covers is its left strip. The row stands 328 pixels down.
constexpr int kHandLeft = 16, kHandStep = 32, kHandTop = 328, kCardHeight = 96;
// The longest wait of the game (a round end's) and a margin, in milliseconds.
constexpr std::int32_t kLongestWaitMs = 1100;

// The action button at the bottom right.
constexpr int kButtonLeft = 496, kButtonTop = 328, kButtonWidth = 114, kButtonHeight = 92;

template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, decltype(&std::free)>;

template <typename Reply>
ReplyPtr<Reply> Owned(Reply* reply) {
    return ReplyPtr<Reply>(reply, &std::free);
}

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
    auto reply = Owned(xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// A window property as raw bytes; empty when the window has none.
std::string Property(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property,
                     xcb_atom_t type) {
    auto reply = Owned(xcb_get_property_reply(
        c, xcb_get_property(c, 0, window, property, type, 0, 1024), nullptr));
    if (!reply || reply->type == XCB_ATOM_NONE) return {};
    const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
    const int length = xcb_get_property_value_length(reply.get());
    return std::string(bytes, static_cast<std::size_t>(length));
}

// The environment of the program: the caller's, on Qt's X platform whatever the
// caller's own tests use, with the extra entries on top.
std::vector<std::string> ProgramEnvironment(const std::vector<std::string>& extra) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) {
        if (std::strncmp(*e, "QT_QPA_PLATFORM=", 16) == 0) continue;
        env.emplace_back(*e);
    }
    env.emplace_back("QT_QPA_PLATFORM=xcb");
    env.insert(env.end(), extra.begin(), extra.end());
    return env;
}

std::vector<char*> Pointers(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& s : strings) pointers.push_back(s.data());
    pointers.push_back(nullptr);
    return pointers;
}

pid_t Spawn(std::vector<std::string> command, std::vector<std::string> env) {
    std::vector<char*> argv = Pointers(command);
    std::vector<char*> envp = Pointers(env);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], nullptr, nullptr, argv.data(), envp.data()) != 0) return -1;
    return pid;
}

// Waits for a child with the deadline; kills it when the deadline passes.
std::optional<int> WaitChild(pid_t pid, Clock::time_point deadline) {
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid, &status, WNOHANG);
        if (done == pid) return status;
        if (done < 0) return std::nullopt;
        if (Clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
            return std::nullopt;
        }
        std::this_thread::sleep_for(2ms);
    }
}

}  // namespace

bool RunTool(const std::vector<std::string>& command, std::chrono::milliseconds guard) {
    std::vector<std::string> env;
    for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
    const pid_t pid = Spawn(command, env);
    if (pid <= 0) return false;
    const std::optional<int> status = WaitChild(pid, Clock::now() + guard);
    return status && WIFEXITED(*status) && WEXITSTATUS(*status) == 0;
}

// ---------------------------------------------------------------------------------
// The program starts as a user's desktop would start it: no arguments.
DesktopSession::DesktopSession(const std::string& executable,
                               const std::vector<std::string>& extraEnvironment) {
    // A display that is just resetting (its last client has gone) refuses connections
    // for a moment.
    const Clock::time_point deadline = Clock::now() + 5s;
    for (;;) {
        connection_ = xcb_connect(nullptr, nullptr);
        if (!xcb_connection_has_error(connection_)) break;
        xcb_disconnect(connection_);
        connection_ = nullptr;
        if (Clock::now() >= deadline) return;
        std::this_thread::sleep_for(50ms);
    }
    root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;

    pid_ = Spawn({executable}, ProgramEnvironment(extraEnvironment));
    if (pid_ > 0) pidfd_ = static_cast<int>(syscall(SYS_pidfd_open, pid_, 0));
}

DesktopSession::~DesktopSession() {
    if (pid_ > 0 && !ended_) {
        kill(pid_, SIGKILL);
        int status = 0;
        waitpid(pid_, &status, 0);
    }
    if (pidfd_ >= 0) close(pidfd_);
    if (connection_) xcb_disconnect(connection_);
}

// ---------------------------------------------------------------------------------
// The program's top-level windows are children of the root window (the virtual screen
// runs no window manager), bottom to top. Each carries the program's id.
std::vector<DesktopSession::Shown> DesktopSession::ShownWindows() const {
    std::vector<Shown> shown;
    const xcb_atom_t pidAtom = Atom(connection_, "_NET_WM_PID");
    const xcb_atom_t nameAtom = Atom(connection_, "_NET_WM_NAME");
    const xcb_atom_t utf8 = Atom(connection_, "UTF8_STRING");
    auto tree = Owned(xcb_query_tree_reply(connection_, xcb_query_tree(connection_, root_), nullptr));
    if (!tree) return shown;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    const int count = xcb_query_tree_children_length(tree.get());
    for (int i = 0; i < count; ++i) {
        const xcb_window_t w = children[i];
        const std::string pid = Property(connection_, w, pidAtom, XCB_ATOM_CARDINAL);
        if (pid.size() != 4) continue;
        std::uint32_t value = 0;
        std::memcpy(&value, pid.data(), 4);
        if (value != static_cast<std::uint32_t>(pid_)) continue;
        auto attributes = Owned(xcb_get_window_attributes_reply(
            connection_, xcb_get_window_attributes(connection_, w), nullptr));
        if (!attributes || attributes->map_state != XCB_MAP_STATE_VIEWABLE) continue;
        auto geometry = Owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, w),
                                                     nullptr));
        if (!geometry) continue;
        shown.push_back({w, Property(connection_, w, nameAtom, utf8), geometry->x, geometry->y,
                         geometry->width, geometry->height});
    }
    return shown;
}

// Ours is the one with the caption.
bool DesktopSession::FindWindow(std::chrono::milliseconds guard) {
    if (!Started()) return false;
    const Clock::time_point deadline = Clock::now() + guard;
    do {
        for (const Shown& w : ShownWindows()) {
            if (w.caption != kCaption) continue;
            window_ = w.id;
            return true;
        }
        std::this_thread::sleep_for(20ms);
    } while (Clock::now() < deadline);
    return false;
}

// _NET_WM_ICON holds the icon's pictures one after another, each its width and height
// followed by its pixels.
int DesktopSession::IconSideWithin(std::chrono::milliseconds guard) const {
    if (!window_) return 0;
    const xcb_atom_t iconAtom = Atom(connection_, "_NET_WM_ICON");
    const Clock::time_point deadline = Clock::now() + guard;
    do {
        const std::string icon = Property(connection_, window_, iconAtom, XCB_ATOM_CARDINAL);
        if (icon.size() >= 8) {
            std::uint32_t side[2] = {0, 0};
            std::memcpy(side, icon.data(), 8);
            return side[0] == side[1] ? static_cast<int>(side[0]) : 0;
        }
        std::this_thread::sleep_for(20ms);
    } while (Clock::now() < deadline);
    return 0;
}

// An open menu is a top-level window of its own, without the caption, over the
// window; a submenu opens over its menu.
std::optional<std::vector<DesktopSession::Shown>> DesktopSession::WaitForMenus(
    std::size_t count, std::chrono::milliseconds guard) const {
    const Clock::time_point deadline = Clock::now() + guard;
    do {
        std::vector<Shown> menus;
        for (const Shown& w : ShownWindows())
            if (w.id != window_) menus.push_back(w);
        if (menus.size() == count) return menus;
        std::this_thread::sleep_for(10ms);
    } while (Clock::now() < deadline);
    return std::nullopt;
}

std::optional<ScreenRect> DesktopSession::WindowPlace() const {
    for (const Shown& w : ShownWindows()) {
        if (w.id == window_) return ScreenRect{w.x, w.y, w.width, w.height};
    }
    return std::nullopt;
}

// The virtual screen keeps 24-bit colour in 32-bit pixels, blue in the lowest byte.
std::optional<ClientImage> DesktopSession::GrabClient() const {
    if (!window_) return std::nullopt;
    const int top = ClientTop();
    auto reply = Owned(xcb_get_image_reply(
        connection_,
        xcb_get_image(connection_, XCB_IMAGE_FORMAT_Z_PIXMAP, window_, 0,
                      static_cast<std::int16_t>(top), kClientWidth, kClientHeight, ~0u),
        nullptr));
    if (!reply || reply->depth != 24) return std::nullopt;
    const int length = xcb_get_image_data_length(reply.get());
    if (length != 4 * kClientWidth * kClientHeight) return std::nullopt;
    ClientImage image{kClientWidth, kClientHeight, std::vector<std::uint32_t>(length / 4)};
    std::memcpy(image.pixels.data(), xcb_get_image_data(reply.get()), static_cast<std::size_t>(length));
    for (std::uint32_t& p : image.pixels) p &= 0xFFFFFFu;
    return image;
}

// ---------------------------------------------------------------------------------
// Keys go to the window with the input focus; with no window manager to hand it
// out, the session gives it to the game's window itself.
bool DesktopSession::Focus() {
    if (!window_) return false;
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_POINTER_ROOT, window_, XCB_CURRENT_TIME);
    xcb_flush(connection_);
    const Clock::time_point deadline = Clock::now() + 5s;
    do {
        auto focus = Owned(xcb_get_input_focus_reply(connection_, xcb_get_input_focus(connection_),
                                                     nullptr));
        if (focus && focus->focus == window_) {
            // The program takes the focus-in event before the first key.
            std::this_thread::sleep_for(50ms);
            return true;
        }
        std::this_thread::sleep_for(10ms);
    } while (Clock::now() < deadline);
    return false;
}

bool DesktopSession::Xdotool(const std::vector<std::string>& arguments) {
    std::vector<std::string> command{"xdotool"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return RunTool(command, 10s);
}

// "Новая" is the first item of the menu bar, at its left end whatever the font: a
// click on it, as the user makes it.
bool DesktopSession::ChooseNewGame() {
    if (!window_) return false;
    const int barHeight = ClientTop();
    return Xdotool({"mousemove", "--window", std::to_string(window_), "16",
                    std::to_string(barHeight / 2), "click", "1"});
}

// "Игра" is the second item of the bar: by keyboard (Alt highlights the bar's first
// item, Right the second, Down opens its menu; Escape first closes any menus left open).
// "Два компа" is the second of that menu's two entries; a click opens its submenu, whose
// third entry is "Медленная". Every step waits for the menu it opens to show.
bool DesktopSession::ChooseTwoComputersSlow() {
    if (!Focus() ||
        !Xdotool({"key", "--delay", "80", "Escape", "Escape", "Escape", "alt", "Right", "Down"}))
        return false;
    const auto play = WaitForMenus(1, 3s);
    if (!play) return false;
    const Shown& menu = play->back();
    if (!ClickScreen(menu.x + menu.width / 2, menu.y + menu.height * 3 / 4)) return false;
    const auto paces = WaitForMenus(2, 3s);
    if (!paces) return false;
    const Shown& submenu = paces->back();
    if (!ClickScreen(submenu.x + submenu.width / 2, submenu.y + submenu.height * 5 / 6)) return false;
    return WaitForMenus(0, 3s).has_value();
}

bool DesktopSession::ClickScreen(int x, int y) {
    return Xdotool({"mousemove", std::to_string(x), std::to_string(y), "click", "1"});
}

int DesktopSession::ClientTop() const {
    auto geometry = Owned(xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window_),
                                                 nullptr));
    return geometry ? geometry->height - kClientHeight : 0;
}

bool DesktopSession::ClickTable(int x, int y) {
    if (!window_) return false;
    return Xdotool({"mousemove", "--window", std::to_string(window_), std::to_string(x),
                    std::to_string(ClientTop() + y), "click", "1"});
}

bool DesktopSession::ClickHandSlot(int slot) {
    return ClickTable(kHandLeft + kHandStep * (slot - 1) + kHandStep / 3, kHandTop + kCardHeight / 2);
}

bool DesktopSession::ClickActionButton() {
    return ClickTable(kButtonLeft + kButtonWidth / 2, kButtonTop + kButtonHeight / 2);
}

// ---------------------------------------------------------------------------------
// The kernel shows which system call a thread is blocked in, and its arguments. Idle or
// waiting, the main thread sleeps in the event loop's poll; a wait's own timer is its
// nearest deadline then, at most the longest wait (a second) away. An idle window has
// no deadline nearer than the toolkit's own housekeeping, tens of seconds away, or none.
bool DesktopSession::InWait() const {
    if (pid_ <= 0 || ended_) return false;
    std::ifstream file("/proc/" + std::to_string(pid_) + "/syscall");
    std::string call, fds, count, timeout;
    if (!(file >> call >> fds >> count >> timeout) || call != std::to_string(SYS_poll))
        return false;
    // poll's third argument, an int of milliseconds (negative: no deadline).
    const auto ms = static_cast<std::int32_t>(std::stoull(timeout, nullptr, 16) & 0xffffffffu);
    return ms > 0 && ms <= kLongestWaitMs;
}

bool DesktopSession::WaitSeenWithin(std::chrono::milliseconds guard) const {
    const Clock::time_point deadline = Clock::now() + guard;
    do {
        if (InWait()) return true;
        std::this_thread::sleep_for(1ms);
    } while (Clock::now() < deadline);
    return false;
}

// ---------------------------------------------------------------------------------
Clock::time_point DesktopSession::SendCloseRequest() {
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = window_;
    message.type = Atom(connection_, "WM_PROTOCOLS");
    message.data.data32[0] = Atom(connection_, "WM_DELETE_WINDOW");
    message.data.data32[1] = XCB_CURRENT_TIME;
    xcb_send_event(connection_, 0, window_, XCB_EVENT_MASK_NO_EVENT,
                   reinterpret_cast<const char*>(&message));
    xcb_flush(connection_);
    return Clock::now();
}

Clock::time_point DesktopSession::DestroyWindow() {
    xcb_destroy_window(connection_, window_);
    xcb_flush(connection_);
    return Clock::now();
}

bool DesktopSession::WindowShown() const {
    auto attributes = Owned(xcb_get_window_attributes_reply(
        connection_, xcb_get_window_attributes(connection_, window_), nullptr));
    return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

// Watches the program until it ends. Once its window has left the screen the close
// has been taken, and the game has no business waiting any more: a wait seen after
// that is one the close did not stop.
std::optional<ProgramEnd> DesktopSession::WaitForEnd(std::chrono::milliseconds guard,
                                                     std::chrono::milliseconds telling) {
    if (pid_ <= 0 || ended_) return std::nullopt;
    const Clock::time_point deadline = Clock::now() + guard;
    bool windowGone = false, waitedAfterClose = false;
    Clock::time_point goneAt;
    for (;;) {
        int status = 0;
        const pid_t done = waitpid(pid_, &status, WNOHANG);
        if (done == pid_) {
            ended_ = true;
            const bool exited = WIFEXITED(status);
            return ProgramEnd{exited, exited ? WEXITSTATUS(status) : WTERMSIG(status), Clock::now(),
                              waitedAfterClose};
        }
        if (done < 0 || Clock::now() >= deadline) return std::nullopt;

        if (!windowGone && window_ && !WindowShown()) {
            windowGone = true;
            goneAt = Clock::now();
        }
        if (windowGone && Clock::now() - goneAt >= telling && InWait()) waitedAfterClose = true;

        if (pidfd_ >= 0) {
            // The program's descriptor turns readable the moment it ends.
            pollfd watch{pidfd_, POLLIN, 0};
            poll(&watch, 1, 1);
        } else {
            std::this_thread::sleep_for(1ms);
        }
    }
}

// ---------------------------------------------------------------------------------
bool StartSlowTwoComputerGame(DesktopSession& session) {
    bool chosen = false;
    for (int attempt = 0; attempt < 3 && !chosen; ++attempt) chosen = session.ChooseTwoComputersSlow();
    if (!chosen) return false;
    for (int deal = 0; deal < 4; ++deal) {
        // The game, once dealt, is in a wait within a moment; a missed click on "Новая"
        // is made again.
        if (!session.ChooseNewGame()) return false;
        if (!session.WaitSeenWithin(5s)) continue;
        // Into the game's rounds, past its first moves. Now and then the two seats stop
        // handing over to each other early and the game sits still until the next
        // "Новая"; then deal again.
        std::this_thread::sleep_for(1s);
        if (session.WaitSeenWithin(5s)) return true;
    }
    return false;
}

bool PlayIntoRoundEndWait(DesktopSession& session) {
    // A click's chain reaches its wait at once; a chain without one is over by then.
    constexpr auto kLook = 150ms;
    for (int deal = 0; deal < 4; ++deal) {
        if (!session.ChooseNewGame()) return false;
        for (int pass = 0; pass < 8; ++pass) {
            for (int slot = 1; slot <= 12; ++slot) {
                if (!session.ClickHandSlot(slot)) return false;
                if (session.WaitSeenWithin(kLook)) return true;
            }
            if (!session.ClickActionButton()) return false;
            if (session.WaitSeenWithin(kLook)) return true;
        }
    }
    return false;
}

}  // namespace durak::desktop
