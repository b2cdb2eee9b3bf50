// The main of every desktop test program: GoogleTest's arguments, then the program the
// tests start.
#include <gtest/gtest.h>

#include <string>

#include "desktop_session.h"

namespace durak::desktop {
namespace {
std::string g_program;
}  // namespace

const std::string& ProgramUnderTest() { return g_program; }

}  // namespace durak::desktop

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc > 1) durak::desktop::g_program = argv[1];
    return RUN_ALL_TESTS();
}
