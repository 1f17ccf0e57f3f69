#pragma once

#include "support/PrivateXSession.h"

#include <QApplication>
#include <cstdio>
#include <gtest/gtest.h>

namespace vellaro::test {

// The body of main() for tests that run on an X display of their own: starts
// it, points Qt at it, and hands it to the tests through `display`.
inline int runTestsOnPrivateDisplay(int argc, char** argv, PrivateXSession*& display) {
    PrivateXSession session;
    if (!session.start()) {
        std::fprintf(stderr, "no private X server could be started\n");
        return 1;
    }
    display = &session;
    qputenv("DISPLAY", session.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    int result = 0;
    {
        QApplication app(argc, argv);
        ::testing::InitGoogleTest(&argc, argv);
        result = RUN_ALL_TESTS();
    }
    display = nullptr;
    return result;
}

} // namespace vellaro::test
