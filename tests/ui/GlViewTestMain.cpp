// Test main of the GL widget tests: a QApplication with the scene's surface
// format. Without a display the offscreen platform is used and the tests
// that need a GL widget skip themselves.
#include <gtest/gtest.h>

#include <QApplication>
#include <QSurfaceFormat>

#include <cstdlib>

#include "ui/GlFormat.h"

int main(int argc, char** argv) {
    if (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QSurfaceFormat::setDefaultFormat(SceneSurfaceFormat());
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
