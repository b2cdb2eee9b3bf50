// The window tests run inside one application, in the standard look of the game. They
// need no display: without a platform named, Qt's offscreen platform is used.

#include <QApplication>

#include <gtest/gtest.h>

#include "assets/holder_pictures.h"
#include "ui/form1.h"
#include "window_test_support.h"

namespace durak::qt::testing {
QImage HolderImage(int holder) { return art::HolderPicture(holder, 1.0).toImage(); }
}  // namespace durak::qt::testing

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    durak::qt::Form1::ApplyStandardLook();
    return RUN_ALL_TESTS();
}
