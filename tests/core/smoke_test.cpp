#include <gtest/gtest.h>
#include "support/fakes.h"
#include "flow/procedures.h"
using namespace durak;
TEST(Smoke, NewGameDeals) {
    fakes::TestTable t;
    
    for (int i = 0; i < 400; ++i) t.random.Push((i * 0.6180339887) - int(i * 0.6180339887));
    t.g.playMode = 1;
    NewGame(t.g);
    EXPECT_EQ(t.g.computerCardCount, 6);
}
