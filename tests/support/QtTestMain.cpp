#include <QApplication>
#include <gtest/gtest.h>

// GoogleTest entry point for tests that need a Qt application object (event
// loop, widgets, clipboard). The platform comes from QT_QPA_PLATFORM.
int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
