// The events of the menu bar. Choosing a mode or a pace only sets fields; the game
// steps read them at their own decision points.
#pragma once

#include "flow/game.h"

namespace durak {

// Window load: the human plays the bottom seat; no game exists yet.
void Form_Load(Game& g);

// Menu "Новая".
void MenuNewGame(Game& g);
// Menu "Игра" / "Комп и ты".
void MenuOneComputer(Game& g);
// Menu "Игра" / "Два компа", raised when its submenu opens: the pace is kept.
void MenuTwoComputers(Game& g);
// Menu "Два компа" / "Быстрая игра", "Средняя", "Медленная".
void MenuFastGame(Game& g);
void MenuMediumGame(Game& g);
void MenuSlowGame(Game& g);
// Menu "Автор": the credit line on the status line.
void MenuAuthor(Game& g);

// The credit line printed by "Автор".
inline constexpr const char* kCreditLine = "Автор Квасенко Ярополк.Снегиревск.";

}  // namespace durak
