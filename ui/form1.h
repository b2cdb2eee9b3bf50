// The game's window: the menu bar over the fixed client area with its picture slots
// and printed text. It owns the one game of the program and turns menu choices and
// slot clicks into the game's events; it decides nothing about the game itself.
#pragma once

#include <QMainWindow>

#include <functional>
#include <memory>

#include "flow/game.h"
#include "ui/input_gate.h"
#include "ui/qt_pauses.h"
#include "ui/table_surface.h"
#include "ports/text_layer.h"

class QMenu;
class QAbstractNativeEventFilter;

namespace durak::qt {

class TableSpeech;

class Form1 : public QMainWindow {
    Q_OBJECT
public:
    // `random` feeds the deals; without one the window draws from the clock.
    explicit Form1(RandomSource* random = nullptr, QWidget* parent = nullptr);
    ~Form1() override;

    // The standard look the window is drawn in: the Fusion style with its own light
    // palette, the same on every desktop.
    static void ApplyStandardLook();
    // How the window's pixels are to reach an X server: with each request rather than
    // through shared memory. Called before the application is made.
    static void SendPixelsWithTheirRequests();

    Game& GetGame() { return *game_; }
    TextLayer& Text() { return text_; }
    TableSurface* Surface() const { return surface_; }
    QtPauses& WindowPauses() { return pauses_; }
    const InputGate& Gate() const { return gate_; }

    bool ChainRunning() const { return chainRunning_; }
    // The window was closed; any running move stops at its next wait.
    bool StopRequested() const { return stopRequested_; }

    // Runs one event's chain of moves. Input given while it runs is dropped, also what
    // is still queued when it returns; a close during it ends the chain and the program.
    // An event that comes while another chain runs is dropped too.
    void RunChain(const std::function<void(Game&)>& chain);

    // Another program destroyed the window outright instead of asking it to close: the
    // program ends as after a close.
    void WindowDestroyed();

    // What the game tells a screen reader; made once assistive technology is active, null
    // until then.
    TableSpeech* Speech();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    // A menu choice that only sets the mode or pace, or prints.
    void Choose(void (*action)(Game&));

    TextLayer text_;
    std::unique_ptr<RandomSource> ownRandom_;
    TableSurface* surface_ = nullptr;
    InputGate gate_;
    QtPauses pauses_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<QAbstractNativeEventFilter> destroyWatch_;
    TableSpeech* speech_ = nullptr;  // a child object
    bool chainRunning_ = false;
    bool stopRequested_ = false;
};

}  // namespace durak::qt
