#pragma once
#ifndef PLUMEX_LAYER_GL
#error "a header of plumex_gl, included by a library that does not link it"
#endif
// One frame of the main 3-D view's scene, as the view and the offscreen
// renderer draw it: camera, structures, ambient box, jets (uniform tubes or
// sorted and colour-mapped), current arrow, the cut plane, the water and
// particles when given, and the edges of the mixing zones. GL drawing code.
class CGlResources;
class CParticleSystems;
class CCase;
class CJetDisplays;
class CViewControl;
class CWater;

struct SceneFrameOptions {
    bool m_bFastDisplay = true;  // uniform tubes; false: the sort tree
    // A sort tree not yet made is made on a thread of its own, and the jets
    // are drawn as uniform tubes until it is there (the interactive view,
    // which asks again); otherwise the frame waits for the tree.
    bool m_bSortTreeInBackground = false;
    bool m_bParticles = false;
    bool m_bAnimating = false;
    int m_nAnimStep = 0;
    bool m_bHighlightPick = false;
    bool m_bClipToCutPlane = false;  // clip plane 0 from the document's cut plane
    // The document's cut plane is drawn before the jets (with its arrow when
    // the user placed it) and clip plane 1 keeps the jets off its frame.
    bool m_bDrawCutPlane = false;
    bool m_bImmediateMode = false;  // jets one call per vertex (see SceneDrawState)
    // With particles: the smoke sprites' textures ("Fast Display") or the
    // streaks of these renderers (sorted display).
    const unsigned int* m_pSmokeTextures = nullptr;
    CParticleSystems* m_pParticles = nullptr;
    CWater* m_pWater = nullptr;  // drawn last, at the water line
    bool m_bDisturbed = false;   // the water's waves take a step
};

// The water surface at the water line of the case's ambient box (its grid
// starts at the box's corner); disturbed steps its waves first.
void DrawWaterSurface(const CCase& doc, CWater& water, bool disturbed);

// Clears colour and depth, sets the camera and draws the scene of the case
// as its displays show it. The caller has set the viewport and the fixed
// state. The alpha channel is left at 1. The GL names the frame needs come
// from resources, the holder of the current context.
void DrawSceneFrame(const CCase& doc, CJetDisplays& displays, const CViewControl& camera,
                    const SceneFrameOptions& options, CGlResources& resources);

// The green arrow that shows the direction of the current.
void DrawCurrentArrow(float fCurrentAngle);

// Picks at window point (x, y) (y from the top) in a viewport of the
// current context: the jets are drawn in select mode with a ring at every
// disk (the case's tubes stay as they are) and the hit records (7 words each: name count,
// minimum and maximum depth, outfall, riser, jet, ring) land in buffer.
// Returns the hit count (negative on overflow).
int PickScene(const CCase& doc, CJetDisplays& displays, const CViewControl& camera, int x, int y, unsigned int* buffer,
              int size);
