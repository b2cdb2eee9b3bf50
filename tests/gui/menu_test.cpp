// The menu bar: its tree as the user sees it, and what each choice does to the mode,
// the pace and the printed text.

#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>

#include <tuple>

#include "flow/menu_events.h"
#include "window_test_support.h"

namespace durak::qt::testing {
namespace {

QString U(const char* s) { return QString::fromUtf8(s); }

QAction* Item(Form1& w, const char* name) { return w.findChild<QAction*>(U(name)); }
QMenu* Submenu(Form1& w, const char* name) { return w.findChild<QMenu*>(U(name)); }

// Captions of a menu's items in order; a submenu's caption is followed by ">".
QStringList Captions(const QList<QAction*>& actions) {
    QStringList out;
    for (QAction* a : actions) out << a->text() + (a->menu() ? U(">") : QString());
    return out;
}

TEST(Menus, TreeHasTheItemsInOrderWithTheirControlNames) {
    TestWindow t;
    QMenuBar* bar = t.window.menuBar();
    EXPECT_EQ(Captions(bar->actions()), (QStringList{U("Новая"), U("Игра>"), U("Автор")}));
    EXPECT_EQ(bar->actions()[0]->objectName(), U("Новая"));
    EXPECT_EQ(bar->actions()[2]->objectName(), U("Автор"));

    QMenu* play = bar->actions()[1]->menu();
    ASSERT_NE(play, nullptr);
    EXPECT_EQ(play, Submenu(t.window, "Игра"));
    EXPECT_EQ(Captions(play->actions()), (QStringList{U("Комп и ты"), U("Два компа>")}));
    EXPECT_EQ(play->actions()[0]->objectName(), U("Одинкомп"));

    QMenu* two = play->actions()[1]->menu();
    ASSERT_NE(two, nullptr);
    EXPECT_EQ(two, Submenu(t.window, "Двакомпа"));
    EXPECT_EQ(Captions(two->actions()),
              (QStringList{U("Быстрая игра"), U("Средняя"), U("Медленная")}));
    QStringList names;
    for (QAction* a : two->actions()) names << a->objectName();
    EXPECT_EQ(names, (QStringList{U("Быстраяигра"), U("Средняя"), U("Медленная")}));
    // "Новая" and "Автор" are items of the bar itself, not menus.
    EXPECT_EQ(bar->actions()[0]->menu(), nullptr);
    EXPECT_EQ(bar->actions()[2]->menu(), nullptr);
}

TEST(Menus, NoItemCarriesACheckMarkShortcutOrAccessKey) {
    TestWindow t;
    const QList<QAction*> all = t.window.findChildren<QAction*>();
    int seen = 0;
    for (QAction* a : all) {
        if (a->text().isEmpty()) continue;
        ++seen;
        SCOPED_TRACE(a->text().toStdString());
        EXPECT_FALSE(a->isCheckable());
        EXPECT_TRUE(a->shortcut().isEmpty());
        EXPECT_TRUE(a->shortcuts().isEmpty());
        EXPECT_FALSE(a->text().contains(u'&'));  // no underlined access letter
        EXPECT_TRUE(a->isEnabled());
    }
    EXPECT_EQ(seen, 8);
}

// The window's load chooses the player against the computer, and each item of the mode
// menu runs its own choice (what each choice sets is tried on the game's menu events,
// without a window): from two computers with no pace, each leaves a mode and pace of
// its own.
TEST(Menus, TheLoadAndEachModeItemRunTheirOwnChoice) {
    TestWindow t;
    Game& g = t.g();
    EXPECT_EQ(g.playMode, 1);
    EXPECT_EQ(g.delayFactor, 0);
    const std::tuple<const char*, int, int> items[] = {
        {"Одинкомп", 1, 0}, {"Быстраяигра", 200, 1}, {"Средняя", 200, 300}, {"Медленная", 200, 600}};
    for (const auto& [item, mode, pace] : items) {
        SCOPED_TRACE(item);
        g.playMode = 200;
        g.delayFactor = 0;
        Item(t.window, item)->trigger();
        EXPECT_EQ(g.playMode, mode);
        EXPECT_EQ(g.delayFactor, pace);
    }
}

TEST(Menus, OpeningTwoComputersChoosesTheModeAndKeepsThePace) {
    TestWindow t;
    Game& g = t.g();
    QMenu* play = Submenu(t.window, "Игра");
    QMenu* two = Submenu(t.window, "Двакомпа");

    // Opening "Игра" alone changes nothing.
    play->popup(t.window.mapToGlobal(QPoint(40, 20)));
    QCoreApplication::processEvents();
    EXPECT_EQ(g.playMode, 1);

    // "Два компа" opened and closed again without a pace.
    two->popup(t.window.mapToGlobal(QPoint(120, 40)));
    QCoreApplication::processEvents();
    two->hide();
    play->hide();
    EXPECT_EQ(g.playMode, 200);
    EXPECT_EQ(g.delayFactor, 0);

    Item(t.window, "Одинкомп")->trigger();
    Item(t.window, "Средняя")->trigger();
    Item(t.window, "Одинкомп")->trigger();
    two->popup(t.window.mapToGlobal(QPoint(120, 40)));
    two->hide();
    EXPECT_EQ(g.playMode, 200);
    EXPECT_EQ(g.delayFactor, 300);
}

TEST(Menus, NewGameDealsOnceTheMenuHasClosed) {
    TestWindow t;
    Game& g = t.g();
    Item(t.window, "Новая")->trigger();
    // The deal is queued behind the menu's own events, not run inside the choice.
    EXPECT_EQ(g.playerRole, 0);
    QCoreApplication::sendPostedEvents();
    EXPECT_EQ(g.playerRole, 1);
    EXPECT_EQ(g.playerHand.CountNonZero(), 6);
    EXPECT_FALSE(t.window.ChainRunning());
}

TEST(Menus, AuthorReplacesAllTextWithTheCreditLine) {
    TestWindow t;
    t.window.RunChain(MenuNewGame);
    ASSERT_FALSE(t.window.Text().Runs().empty());  // the computer's codes at the right
    const int handBefore = t.g().playerHand.CountNonZero();
    const QRect hand(0, 320, 420, 100);
    const QImage handShown = GrabClient(t.surface()).copy(hand);

    Item(t.window, "Автор")->trigger();
    const TextLayer& text = t.window.Text();
    ASSERT_EQ(text.Runs().size(), 1u);
    EXPECT_TRUE(text.HasRunAt(50, 6420, kCreditLine));
    EXPECT_EQ(text.Pixels(), (std::vector<TextLayer::Pixel>{{50, 6420}}));
    EXPECT_EQ(t.g().playerHand.CountNonZero(), handBefore);  // the cards stay

    // On screen: the credit line stands on the status line, the numbers are gone.
    const QImage shot = GrabClient(t.surface());
    EXPECT_GT(DarkPixels(shot, QRect(3, 428, 200, 13)), 40);
    EXPECT_EQ(DarkPixels(shot, QRect(578, 120, 50, 90)), 0);
    EXPECT_EQ(shot.copy(hand), handShown);  // the cards on screen are not touched
}

}  // namespace
}  // namespace durak::qt::testing
