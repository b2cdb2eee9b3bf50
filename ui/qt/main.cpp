// The program: one window with one game. Nothing is read or saved.

#include <QApplication>
#include <QIcon>
#include <QScreen>
#include <QTimer>

#include "assets/holder_pictures.h"
#include "ui/qt/form1.h"

namespace {

// Hands the desktop the program's icon once the window's first frame is painted: the
// icon is no part of that frame, and decoding it first would keep the table from
// opening as quickly as a window with nothing on it.
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
    QApplication app(argc, argv);
    durak::qt::Form1::ApplyStandardLook();

    durak::qt::Form1 window;  // its load event sets up the mode; no game is dealt yet
    // The table opens in the middle of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = window.sizeHint();
        window.move(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }
    window.installEventFilter(new IconAfterFirstFrame(&app));
    window.show();
    return app.exec();
}
