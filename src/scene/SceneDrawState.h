#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// The per-frame drawing state that a view fills and hands down the case's
// object tree (document -> outfall -> riser -> jet -> tube). A jet's display
// object receives a copy. GL-free: the render modes are the GL enum values.

// Values of the GL enums GL_RENDER and GL_SELECT, so that the state can be
// filled without GL headers.
constexpr int kRenderModeRender = 0x1C00;
constexpr int kRenderModeSelect = 0x1C02;

struct SceneDrawState {
    double riserRadiusAtPort = 0.0;          // set by the riser for each of its jets
    double portColour[3] = {0.0, 0.0, 0.0};  // colour given before a port pipe is drawn
    int renderMode = kRenderModeRender;      // names are pushed only in select mode
    bool jetsOnly = false;                   // false: structure bodies; true: only the jets
    int animationStep = 0;                   // rings shown while the growth animation runs
    bool animating = false;
    float zoomFactor = 1.0f;                      // field of view over the initial one
    float eyePosition[3] = {0.0f, 0.0f, 0.0f};    // camera position, for back-to-front sorting
    bool particleMode = false;                    // smoke presentation of the jets
    const unsigned int* smokeTextures = nullptr;  // the 51 smoke sprite textures of the context
    bool highlightPick = false;                   // show the picked trajectory segment highlighted
    // Jets drawn one GL call per vertex instead of from vertex arrays: the
    // plain drawing the array drawing must match pixel for pixel.
    bool immediateMode = false;
    // Fast tubes drawn with every vertex of every ring, however small they
    // look: the picture the level of detail is checked against.
    bool fullDetail = false;
    // Case settings the records need while they draw; DrawStructures copies
    // them from the document before the traversal.
    bool noRiser = false;        // scenario without risers
    double currentAngle = 90.0;  // angle between current and outfalls (degrees)
    double waterDepth = 0.0;     // tubes made while drawing flatten at this height

    bool Selecting() const { return renderMode == kRenderModeSelect; }
};
