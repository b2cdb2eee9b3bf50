#include "ui/menu_bar_style.h"

#include <QMenuBar>
#include <QStyleOptionMenuItem>

namespace durak::qt {

void MenuBarKeyboardStyle::drawControl(ControlElement element, const QStyleOption* option,
                                       QPainter* painter, const QWidget* widget) const {
    const auto* bar = qobject_cast<const QMenuBar*>(widget);
    if (element == CE_MenuBarItem && bar && bar->hasFocus() && (option->state & State_Selected)) {
        if (const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option)) {
            QStyleOptionMenuItem current = *item;
            current.state |= State_Sunken;
            return QProxyStyle::drawControl(element, &current, painter, widget);
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

}  // namespace durak::qt
