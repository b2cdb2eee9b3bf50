// The window's style, with the menu bar's keyboard mode made visible. Alt (or F10)
// gives the menu bar the keyboard with its first item current, but the Fusion style
// highlights a menu bar item only while its menu is open, so the window stayed the same
// and a keyboard user could not tell the mode was on. While the menu bar has the
// keyboard, its current item is drawn as Fusion draws an item whose menu is open.
#pragma once

#include <QProxyStyle>

namespace durak::qt {

class MenuBarKeyboardStyle : public QProxyStyle {
public:
    explicit MenuBarKeyboardStyle(QStyle* base) : QProxyStyle(base) {}

    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
};

}  // namespace durak::qt
