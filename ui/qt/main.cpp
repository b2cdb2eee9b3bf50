// The program: one window with one game. Nothing is read or saved.

#include <QApplication>
#include <QIcon>
#include <QScreen>

#include "assets/holder_pictures.h"
#include "ui/qt/form1.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    durak::qt::Form1::ApplyStandardLook();

    const QIcon icon = durak::art::ApplicationIcon();
    if (!icon.isNull()) QApplication::setWindowIcon(icon);

    durak::qt::Form1 window;  // its load event sets up the mode; no game is dealt yet
    // The table opens in the middle of the screen.
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QSize size = window.sizeHint();
        window.move(screen->availableGeometry().center() - QPoint(size.width() / 2, size.height() / 2));
    }
    window.show();
    return app.exec();
}
