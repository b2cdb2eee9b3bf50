#include "ui/input_gate.h"

#include <QCoreApplication>
#include <QEvent>

namespace durak::qt {

// Watches every event of the application from the moment it exists.
InputGate::InputGate(QObject* parent) : QObject(parent) {
    if (QCoreApplication* app = QCoreApplication::instance()) app->installEventFilter(this);
}

InputGate::~InputGate() {
    if (QCoreApplication* app = QCoreApplication::instance()) app->removeEventFilter(this);
}

bool InputGate::IsUserInput(int eventType) {
    switch (static_cast<QEvent::Type>(eventType)) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::NonClientAreaMouseButtonPress:
        case QEvent::NonClientAreaMouseButtonRelease:
        case QEvent::NonClientAreaMouseButtonDblClick:
        case QEvent::NonClientAreaMouseMove:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::KeyRelease:
        case QEvent::ShortcutOverride:
        case QEvent::Shortcut:
        case QEvent::ContextMenu:
        case QEvent::InputMethod:
        case QEvent::TouchBegin:
        case QEvent::TouchUpdate:
        case QEvent::TouchEnd:
        case QEvent::TouchCancel:
        case QEvent::TabletPress:
        case QEvent::TabletMove:
        case QEvent::TabletRelease:
        case QEvent::NativeGesture:
        case QEvent::Gesture:
        case QEvent::DragEnter:
        case QEvent::DragMove:
        case QEvent::Drop:
            return true;
        default:
            return false;
    }
}

bool InputGate::eventFilter(QObject* watched, QEvent* event) {
    if (!closed_ || !IsUserInput(event->type()) || (passes_ && passes_(*event)))
        return QObject::eventFilter(watched, event);
    ++dropped_;
    event->accept();
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::MouseButtonPress) emit pressDropped();
    return true;  // eaten: nobody sees it, now or later
}

}  // namespace durak::qt
