// While the application is being made, Qt reaches for the window system; when it cannot
// open a window there it says so in a fatal message and aborts, leaving a core dump
// behind. The guard holds the messages of that moment back: a fatal one ends the program
// with status 1 and one line saying what is wrong, any other is passed on once the
// application stands.
//
// What is wrong is one of two things. A platform was asked for (QT_QPA_PLATFORM, or
// the -platform option) that no installed Qt platform plugin provides: the line names
// it and the platforms there are. Otherwise the platform is there but found no display
// to open the window on: the line says to set DISPLAY.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QtGlobal>

#include <vector>

namespace durak::qt {

class NoDisplayGuard {
public:
    // Made before the application, with the program's arguments as main has them (the
    // application takes the -platform option out of them).
    NoDisplayGuard(int argc, char** argv);
    ~NoDisplayGuard() { Release(); }
    NoDisplayGuard(const NoDisplayGuard&) = delete;
    NoDisplayGuard& operator=(const NoDisplayGuard&) = delete;

    // The application stands: messages go their usual way again, the held ones first.
    void Release();

private:
    struct Message {
        QtMsgType type;
        QByteArray category;
        QString text;
    };

    static void Hold(QtMsgType type, const QMessageLogContext& context, const QString& text);

    static inline QtMessageHandler previous_ = nullptr;
    static inline std::vector<Message> held_;
    // The platforms asked for by name, and where they were asked for; none when the
    // platform is Qt's own choice.
    static inline QStringList asked_;
    static inline QString askedBy_;
};

}  // namespace durak::qt
