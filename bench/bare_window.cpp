// The start-up benchmark's baseline: a bare Qt window of the game's size with the
// same menu bar and nothing else. Built with the first-frame probe, which prints its
// CPU time and memory at the first frame and ends it.
#include <QApplication>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QString::fromUtf8("Карты/Дурак"));
    window.menuBar()->addAction(QString::fromUtf8("Новая"));
    QMenu* game = window.menuBar()->addMenu(QString::fromUtf8("Игра"));
    game->addAction(QString::fromUtf8("Комп и ты"));
    game->addMenu(QString::fromUtf8("Два компа"));
    window.menuBar()->addAction(QString::fromUtf8("Автор"));
    auto* client = new QWidget(&window);
    client->setFixedSize(631, 444);
    window.setCentralWidget(client);
    window.show();
    return app.exec();
}
