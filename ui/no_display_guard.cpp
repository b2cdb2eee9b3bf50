#include "ui/no_display_guard.h"

#include <QCoreApplication>
#include <QDir>
#include <QJsonArray>
#include <QJsonObject>
#include <QPluginLoader>

#include <cstdio>
#include <cstdlib>

namespace durak::qt {

namespace {

// The platform names of a list as Qt reads it: separated by ';', each perhaps followed
// by ':' and its arguments, in any case.
QStringList PlatformNames(const QString& list) {
    QStringList names;
    for (const QString& entry : list.split(u';', Qt::SkipEmptyParts))
        names << entry.section(u':', 0, 0).toLower();
    return names;
}

// The platforms the installed Qt platform plugins provide, by the names they answer
// to, sorted: the plugins in the folder "platforms" under each plugin folder, and in
// QT_QPA_PLATFORM_PLUGIN_PATH. Only their descriptions are read; none is loaded.
QStringList InstalledPlatforms() {
    QStringList folders;
    for (const QString& path : QCoreApplication::libraryPaths()) folders << path + QStringLiteral("/platforms");
    const QString ownFolder = qEnvironmentVariable("QT_QPA_PLATFORM_PLUGIN_PATH");
    if (!ownFolder.isEmpty()) folders << ownFolder;
    QStringList names;
    for (const QString& folder : folders) {
        for (const QFileInfo& file : QDir(folder).entryInfoList(QDir::Files)) {
            const QJsonObject description = QPluginLoader(file.absoluteFilePath()).metaData();
            for (const QJsonValue key : description.value(QStringLiteral("MetaData")).toObject()
                                            .value(QStringLiteral("Keys")).toArray())
                names << key.toString().toLower();
        }
    }
    names.sort();
    names.removeDuplicates();
    return names;
}

}  // namespace

// What is asked for is read now: the application takes the -platform option out of the
// arguments before it looks for the platform.
NoDisplayGuard::NoDisplayGuard(int argc, char** argv) {
    for (int i = 1; i + 1 < argc; ++i) {
        const QByteArray option(argv[i]);
        if (option == "-platform" || option == "--platform") {
            asked_ = PlatformNames(QString::fromLocal8Bit(argv[i + 1]));
            askedBy_ = QStringLiteral("-platform");
        }
    }
    if (askedBy_.isEmpty() && !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        asked_ = PlatformNames(qEnvironmentVariable("QT_QPA_PLATFORM"));
        askedBy_ = QStringLiteral("QT_QPA_PLATFORM");
    }
    previous_ = qInstallMessageHandler(&Hold);
}

void NoDisplayGuard::Release() {
    if (!previous_) return;
    qInstallMessageHandler(previous_);
    for (const Message& m : held_) {
        previous_(m.type, QMessageLogContext(nullptr, 0, nullptr, m.category.constData()), m.text);
    }
    held_.clear();
    previous_ = nullptr;
}

void NoDisplayGuard::Hold(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        held_.push_back({type, QByteArray(context.category), text});
        return;
    }
    // A platform asked for that no plugin provides: no display would help.
    const QStringList installed = InstalledPlatforms();
    bool askedIsThere = false;
    for (const QString& name : asked_) askedIsThere = askedIsThere || installed.contains(name);
    if (!asked_.isEmpty() && !askedIsThere) {
        const QString line =
            QStringLiteral("durak: no Qt platform plugin \"%1\" (asked for by %2); the platforms there are: %3\n")
                .arg(asked_.join(QStringLiteral("\" or \"")), askedBy_,
                     installed.isEmpty() ? QStringLiteral("none") : installed.join(QStringLiteral(", ")));
        std::fputs(line.toLocal8Bit().constData(), stderr);
        std::_Exit(1);
    }
    std::fputs("durak: no display to open the window on: set DISPLAY to a running X "
               "display (e.g. DISPLAY=:0), or choose another platform with "
               "QT_QPA_PLATFORM\n",
               stderr);
    std::_Exit(1);
}

}  // namespace durak::qt
