// Draws the window in a few states and writes each as a PNG into the given folder,
// to look at: the empty table at start, a fresh deal, the credit line over it, the
// open menus, and a two-computer game caught in the middle.
// Usage: window_snapshot OUTPUT_DIR [SEED]

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <iostream>

#include "flow/menu_events.h"
#include "ui/form1.h"
#include "platform/random_sources.h"

namespace {
bool SaveImage(const QPixmap& picture, const QDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    if (!picture.save(path)) {
        std::cerr << "cannot write " << path.toStdString() << "\n";
        return false;
    }
    std::cout << path.toStdString() << "\n";
    return true;
}

bool Save(QWidget& w, const QDir& dir, const char* name) { return SaveImage(w.grab(), dir, name); }

// The screen around the window, popups included.
QPixmap ScreenAround(QWidget& w) {
    const QRect frame = w.frameGeometry().adjusted(-10, -10, 160, 10);
    return w.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height());
}
}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::cerr << "usage: window_snapshot OUTPUT_DIR [SEED]\n";
        return 2;
    }
    QApplication app(argc, argv);
    durak::qt::Form1::ApplyStandardLook();
    const QDir dir(QString::fromLocal8Bit(argv[1]));
    durak::SeededRandom random(argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 7);
    durak::qt::Form1 window(&random);
    window.show();
    QApplication::processEvents();

    bool ok = Save(window, dir, "window_start.png");
    window.RunChain(durak::MenuNewGame);
    ok = Save(window, dir, "window_new_game.png") && ok;
    window.RunChain(durak::MenuAuthor);
    ok = Save(window, dir, "window_author.png") && ok;

    // The mode menu open down to the paces.
    auto* play = window.findChild<QMenu*>(QStringLiteral("Игра"));
    auto* two = window.findChild<QMenu*>(QStringLiteral("Двакомпа"));
    const QRect item = window.menuBar()->actionGeometry(play->menuAction());
    play->popup(window.menuBar()->mapToGlobal(item.bottomLeft()));
    QApplication::processEvents();
    play->setActiveAction(two->menuAction());
    two->popup(play->mapToGlobal(play->actionGeometry(two->menuAction()).topRight()));
    QApplication::processEvents();
    ok = SaveImage(ScreenAround(window), dir, "screen_menus.png") && ok;
    two->hide();
    play->hide();

    // Two computers at the fast pace, caught a moment into the game.
    window.findChild<QAction*>(QStringLiteral("Быстраяигра"))->trigger();
    QTimer::singleShot(1500, [&] { ok = Save(window, dir, "window_two_computers.png") && ok; });
    window.RunChain(durak::MenuNewGame);
    ok = Save(window, dir, "window_two_computers_end.png") && ok;
    return ok ? 0 : 1;
}
