#pragma once
#ifndef PLUMEX_LAYER_GL
#error "a header of plumex_gl, included by a library that does not link it"
#endif
// Drawing of a case into the current GL context: the structures with their
// ports, the jets (uniform tubes or smoke), the ambient box and the jets
// sorted back to front. The case is only read; what is made to show it
// (sort tree, vertex arrays, smoke progress) lives in its jet displays.
class CBase;
class CCase;
class CGlResources;
class CJet;
class CJetDispModal;
class CJetDisplays;
class CRiser;
struct SceneDrawState;
struct SmokeProgress;

// The outfalls, risers and ports, or with state.jetsOnly the jets, with
// selection names (outfall, riser, jet) when state selects. The case's
// settings the records need (no-riser scenario, current angle, water depth)
// are copied into state first.
void DrawStructures(const CCase& c, CJetDisplays& displays, SceneDrawState& state);
// The ambient box with the GL names of the drawing context.
void DrawAmbient(const CCase& c, const SceneDrawState& state, CGlResources& resources);
// The jets coloured by the displays' mode, back to front from their sort
// tree (nothing in particle mode, or without a tree).
void DrawSortedJets(const CCase& c, const CJetDisplays& displays, const SceneDrawState& state);

// One outfall: its body and its risers.
void DrawOutfall(const CRiser& outfall, CJetDisplays& displays, SceneDrawState& state);
void DrawOutfallBody(const CRiser& outfall, const SceneDrawState& state);
// One riser: its body and its jets; jetSpacing is its outfall's (ports
// along the pipe without risers).
void DrawRiser(const CBase& riser, double jetSpacing, CJetDisplays& displays, SceneDrawState& state);
void DrawRiserBody(const CBase& riser, const SceneDrawState& state);
// The port pipe, or with jetsOnly the jet's tube (its smoke in particle mode).
void DrawJet(const CJet& jet, CJetDisplays& displays, const SceneDrawState& state);
void DrawJetPort(const CJet& jet, const SceneDrawState& state);
// The smoke presentation of a jet, in its port frame: the smoke of the shown
// disks (one more shown per frame), then the sprite frame moves on.
void DrawJetSmoke(const CJetDispModal& display, SmokeProgress& progress, const SceneDrawState& state);
