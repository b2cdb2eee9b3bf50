#include "ui/form1.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QStyle>
#include <QStyleFactory>

#include <xcb/xcb.h>

#include "flow/input_dispatch.h"
#include "flow/menu_events.h"
#include "platform/random_sources.h"
#include "seats/player_rules.h"
#include "speech/phrases.h"
#include "ui/menu_bar_style.h"
#include "ui/table_accessibility.h"
#include "ui/table_speech.h"

namespace durak::qt {

namespace {

// A window is normally closed by asking it (the close button, Alt+F4), which reaches the
// window as a close request. A program that closes windows by force destroys it instead;
// the X server then only reports the window gone, and nothing else in the program would
// notice: it would run on with no window, unseen, for ever. This watch hears that
// report for the game's window and ends the program as a close does.
class WindowDestroyedWatch : public QAbstractNativeEventFilter {
public:
    explicit WindowDestroyedWatch(Form1& window) : window_(window) {}

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_DESTROY_NOTIFY) return false;
        const auto* destroyed = static_cast<const xcb_destroy_notify_event_t*>(message);
        if (destroyed->window == window_.internalWinId()) window_.WindowDestroyed();
        return false;
    }

private:
    Form1& window_;
};

}  // namespace

void Form1::ApplyStandardLook() {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(new MenuBarKeyboardStyle(fusion));
    }
    QApplication::setPalette(QApplication::style()->standardPalette());
}

// Through shared memory, Qt has to ask the X server, in a round trip, whether it has
// finished reading the last frame before it paints over any part of it again; a move of
// the game repaints a few cards and a line of text where the move before painted too, so
// every move would wait on the server once, and wake the program's event thread for the
// answer. Sent with their request instead, the few kilobytes a move changes cost the
// program less than that round trip: between two computers at the slow pace a game wakes
// the program about a third less often and takes less CPU time (`window_bench game 1
// slow`, bench/run.sh). The window looks the same. The variable, when it is set already,
// is left as it is.
void Form1::SendPixelsWithTheirRequests() {
    if (!qEnvironmentVariableIsSet("QT_XCB_NO_MITSHM")) qputenv("QT_XCB_NO_MITSHM", "1");
}

Form1::Form1(RandomSource* random, QWidget* parent)
    : QMainWindow(parent),
      ownRandom_(random ? nullptr : std::make_unique<ClockRandom>()),
      surface_(new TableSurface(text_, this)),
      pauses_(gate_,
              [this] {
                  surface_->SyncText();
                  if (speech_) speech_->AtWait();
              },
              [this] { return stopRequested_; }),
      game_(std::make_unique<Game>(*surface_, text_, pauses_, random ? *random : *ownRandom_)) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Карты/Дурак"));
    setCentralWidget(surface_);
    surface_->SetInputGate(&gate_);
    BuildMenus();
    // The layout is fixed: the window is as large as the menu bar and the client area.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    connect(surface_, &TableSurface::slotClicked, this, [this](int control) {
        ClickEvent click = ClickEventOf(control);
        if (!click) return;
        // A screen reader's user hears why a card the rules refuse stays in the hand.
        const int slot = HandSlotOfControl(control);
        if (TableSpeech* speech = Speech(); speech && slot && !chainRunning_)
            speech->Playing(slot, PlayerCardIn(*game_, slot),
                            speech::RefusalReason(WhyRefused(*game_, slot), *game_));
        RunChain(click);
    });
    // Input dropped while a wait runs: a screen reader's user hears that the game is busy.
    connect(&gate_, &InputGate::pressDropped, this, [this] {
        if (speech_ && pauses_.InWait()) speech_->PleaseWait(pauses_.Waits());
    });
    // The keys that ask change nothing of the game: they pass the gate also while it
    // moves, and a screen reader says the answer.
    gate_.SetPassing([](const QEvent& event) {
        return (event.type() == QEvent::KeyPress || event.type() == QEvent::KeyRelease) &&
               KeyboardFocus::QuestionOf(static_cast<const QKeyEvent&>(event)) != 0;
    });
    connect(surface_, &TableSurface::questionAsked, this, [this](int question) {
        if (TableSpeech* speech = Speech()) speech->Answer(static_cast<TableSpeech::Question>(question));
    });
    connect(surface_, &TableSurface::focusToldAgain, this, [this] {
        if (TableSpeech* speech = Speech()) speech->SayFocused();
    });

    Form_Load(*game_);

    destroyWatch_ = std::make_unique<WindowDestroyedWatch>(*this);
    QCoreApplication::instance()->installNativeEventFilter(destroyWatch_.get());
}

// What tells a screen reader of the game goes before the game it watches.
Form1::~Form1() { delete speech_; }

// The menu bar: "Новая" and "Автор" act at once; "Игра" holds the mode, and "Два компа"
// chooses the two-computer mode as soon as its submenu opens, keeping the pace.
void Form1::BuildMenus() {
    QMenuBar* bar = menuBar();

    QAction* newGame = bar->addAction(QStringLiteral("Новая"));
    newGame->setObjectName(QStringLiteral("Новая"));
    // The deal runs after the menu has closed: between two computers it plays a whole
    // game, and the menu must not hang open meanwhile.
    connect(newGame, &QAction::triggered, this, [this] {
        QMetaObject::invokeMethod(this, [this] {
            RunChain(MenuNewGame);
            surface_->FocusFirstCard();
        }, Qt::QueuedConnection);
    });

    QMenu* play = bar->addMenu(QStringLiteral("Игра"));
    play->setObjectName(QStringLiteral("Игра"));
    play->menuAction()->setObjectName(QStringLiteral("Игра"));

    QAction* one = play->addAction(QStringLiteral("Комп и ты"));
    one->setObjectName(QStringLiteral("Одинкомп"));
    connect(one, &QAction::triggered, this, [this] { Choose(MenuOneComputer); });

    QMenu* two = play->addMenu(QStringLiteral("Два компа"));
    two->setObjectName(QStringLiteral("Двакомпа"));
    two->menuAction()->setObjectName(QStringLiteral("Двакомпа"));
    connect(two, &QMenu::aboutToShow, this, [this] { Choose(MenuTwoComputers); });

    struct Pace { const char* caption; const char* name; void (*action)(Game&); };
    const Pace paces[] = {{"Быстрая игра", "Быстраяигра", MenuFastGame},
                          {"Средняя", "Средняя", MenuMediumGame},
                          {"Медленная", "Медленная", MenuSlowGame}};
    for (const Pace& pace : paces) {
        QAction* item = two->addAction(QString::fromUtf8(pace.caption));
        item->setObjectName(QString::fromUtf8(pace.name));
        connect(item, &QAction::triggered, this, [this, action = pace.action] { Choose(action); });
    }

    QAction* author = bar->addAction(QStringLiteral("Автор"));
    author->setObjectName(QStringLiteral("Автор"));
    connect(author, &QAction::triggered, this, [this] { Choose(MenuAuthor); });
}

void Form1::Choose(void (*action)(Game&)) {
    if (chainRunning_ || stopRequested_) return;
    const Field mode = game_->playMode, pace = game_->delayFactor;
    action(*game_);
    surface_->SyncText();
    // A change of mode or pace is heard at once, the opening of "Два компа" included.
    if (game_->playMode != mode || game_->delayFactor != pace) {
        if (TableSpeech* speech = Speech()) speech->ModeChanged();
    }
}

TableSpeech* Form1::Speech() {
    if (!speech_ && QAccessible::isActive())
        speech_ = new TableSpeech(*game_, *surface_->Accessibility(), this);
    return speech_;
}

void Form1::RunChain(const std::function<void(Game&)>& chain) {
    if (chainRunning_ || stopRequested_) return;
    TableSpeech* speech = Speech();
    // Two computers play the whole game in this event: a screen reader hears it as the
    // speech tells it, and reads the table as it stood when last told.
    const bool watched = speech && game_->playMode == kPlayModeTwoComputers;
    if (watched) surface_->Accessibility()->Hold(true);
    {
        InputGate::ClosedScope closed(gate_);
        chainRunning_ = true;
        try {
            chain(*game_);
        } catch (const ChainStopped&) {
            // The window was closed during a wait, or the chain ran past its guard: the
            // moves end here and the game keeps the state they left.
        }
        chainRunning_ = false;
        surface_->SyncText();
        if (watched) surface_->Accessibility()->Hold(false);
        if (speech && !stopRequested_) speech->AtRest();
        // Clicks and keys that came while the chain ran are dropped, not played now.
        QCoreApplication::processEvents(QEventLoop::AllEvents);
    }
    if (stopRequested_) QCoreApplication::quit();
}

// A close ends the program at once. A chain that runs stops in the wait it is in, or at
// its next one, which comes within a moment, since moves between waits take no time.
void Form1::closeEvent(QCloseEvent* event) {
    stopRequested_ = true;
    event->accept();
}

// With the window gone there is nothing left to show or click: a chain that runs stops
// in its wait as after a close, and quits the program once it has unwound; an idle
// window quits at once.
void Form1::WindowDestroyed() {
    stopRequested_ = true;
    if (!chainRunning_) QCoreApplication::quit();
}

}  // namespace durak::qt
