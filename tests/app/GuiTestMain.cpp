// Test main of the desktop program's tests: a QApplication made as the
// program makes it. Without a display the offscreen platform is used and
// the tests that open case windows (GL views) skip themselves.
//
// With PLUMEX_SAVE_LOOP=FILE set it saves the case FILE through the
// program's save command over and over instead of testing (a child process
// that the atomic-save test kills in the middle of a save).
#include <gtest/gtest.h>

#include <QApplication>
#include <QSurfaceFormat>

#include <cstdlib>

#include "SaveLoop.h"
#include "ui/GlFormat.h"

int main(int argc, char** argv) {
    // The save loop shows no window.
    if (std::getenv("PLUMEX_SAVE_LOOP") || (!std::getenv("DISPLAY") && !std::getenv("QT_QPA_PLATFORM")))
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QSurfaceFormat::setDefaultFormat(SceneSurfaceFormat());
    QApplication app(argc, argv);
    if (const char* file = std::getenv("PLUMEX_SAVE_LOOP")) return RunSaveLoop(file);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
