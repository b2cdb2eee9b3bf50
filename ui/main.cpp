// The program: one window with one game. Nothing is read or saved.

#include <QApplication>
#include <QByteArray>
#include <QIcon>
#include <QScreen>
#include <QString>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "assets/holder_pictures.h"
#include "ui/form1.h"

namespace {

// While the application is being made, Qt reaches for the window system; when none can
// be opened it says so in a fatal message and aborts, leaving a core dump behind. The
// messages of that moment are held back: a fatal one ends the program with one line
// saying what to set, any other is passed on once the application stands.
class NoDisplayGuard {
public:
    NoDisplayGuard() { previous_ = qInstallMessageHandler(&Hold); }
    ~NoDisplayGuard() { Release(); }
    NoDisplayGuard(const NoDisplayGuard&) = delete;
    NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;

    // The application stands: messages go their usual way again, the held ones first.
    void Release() {
        if (!previous_) return;
        qInstallMessageHandler(previous_);
        for (const Message& m : held_) {
            previous_(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.constData()), m.text);
        }
        held_.clear();
        previous_ = nullptr;
    }

private:
    struct Message {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (type == QtFatalMsg) {
            std::fputs("durak: no display to open the window on: set DISPLAY to a running X "
                       "display (e.g. DISPLAY=:0), or choose another platform with "
                       "QT_QPA_PLATFORM\n",
                       stderr);
            std::_Exit(1);
        }
        held_.push_back({type, QByteArray(context.category), text});
    }

    static inline QtMessageHandler previous_ = nullptr;
    static inline std::vector<Message> held_;
};

// Where the window opens: centred on the screen's free area when it fits, else with its
// top-left corner (the title bar and the menu bar) at the free area's top-left, so that
// it can always be reached and moved; on each axis apart.
QPoint OpeningPosition(QSize window, const QRect& available) {
    return {available.left() + std::max(0, (available.width() - window.width()) / 2),
            available.top() + std::max(0, (available.height() - window.height()) / 2)};
}

// Hands the desktop the program's icon once the window's first frame is painted: the
// icon is no part of that frame, and decoding its three sizes first costs over a tenth
// more CPU time to the first frame (start-up CPU: `window_bench startup`, bench/run.sh).
class IconAfterFirstFrame : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QTimer::singleShot(0, this, [this] {
                const QIcon icon = durak::art::ApplicationIcon();
                if (!icon.isNull()) QApplication::setWindowIcon(icon);
                deleteLater();
            });
        }
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    durak::qt::Form1::SendPixelsWithTheirRequests();
    NoDisplayGuard guard;
    QApplication app(argc, argv);
    guard.Release();
    durak::qt::Form1::ApplyStandardLook();

    durak::qt::Form1 window;  // its load event sets up the mode; no game is dealt yet
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        window.move(OpeningPosition(window.sizeHint(), screen->availableGeometry()));
    }
    window.installEventFilter(new IconAfterFirstFrame(&app));
    window.show();
    return app.exec();
}
