#pragma once
#ifndef PLUMEX_LAYER_UI
#error "a header of plumex_ui, included by a library that does not link it"
#endif
// The OpenGL surface format of every 3-D view: a compatibility-profile
// context (the scene uses immediate mode, display lists and selection),
// 24-bit depth, double buffering, no alpha channel in the window.
#include <QSurfaceFormat>

inline QSurfaceFormat SceneSurfaceFormat() {
    QSurfaceFormat f;
    f.setRenderableType(QSurfaceFormat::OpenGL);
    f.setProfile(QSurfaceFormat::CompatibilityProfile);
    f.setVersion(2, 1);
    f.setDepthBufferSize(24);
    f.setSwapBehavior(QSurfaceFormat::DoubleBuffer);
    return f;
}
