// The program: one window with one game. Nothing is read or saved.

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include <algorithm>

#include "assets/holder_pictures.h"
#include "ui/form1.h"
#include "ui/no_display_guard.h"

namespace {

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
    durak::qt::NoDisplayGuard guard(argc, argv);
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
