// Draws the window in a few states and writes each as a PNG into the given folder,
// to look at: the empty table at start, a fresh deal, and the credit line over it.
// Usage: window_snapshot OUTPUT_DIR [SEED]

#include <QApplication>
#include <QDir>
#include <QPixmap>

#include <cstdlib>
#include <iostream>

#include "ui/menu_actions.h"
#include "ui/qt/form1.h"
#include "ui/random_sources.h"

namespace {
bool Save(QWidget& w, const QDir& dir, const char* name) {
    const QString path = dir.filePath(QString::fromUtf8(name));
    if (!w.grab().save(path)) {
        std::cerr << "cannot write " << path.toStdString() << "\n";
        return false;
    }
    std::cout << path.toStdString() << "\n";
    return true;
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
    return ok ? 0 : 1;
}
