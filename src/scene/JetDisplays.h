#pragma once
#ifndef PLUMEX_LAYER_SCENE
#error "a header of plumex_scene, included by a library that does not link it"
#endif
// What is made from a case to show its jets, kept apart from the case: the
// colour mode and its histogram-equalised colour table, the sort tree of the
// tube quads for back-to-front drawing, its vertex arrays, and the smoke
// presentation's progress per jet. It reads a const case and remakes each
// part when the case's display or placement generation moved on since it was
// made, so no caller has to tell it. GL-free.
#include <cstdint>
#include <future>
#include <memory>
#include <unordered_map>
#include <vector>

#include "geometry/ColourTableEntry.h"
#include "model/ColourMode.h"
#include "model/Jet.h"
#include "model/SectionColours.h"

class CCase;
struct CSortPolygon;
class CSortTree;
class CSortedJetArrays;

// How far the smoke presentation of one jet has come.
struct SmokeProgress {
    int m_nSpriteFrame = 0;   // frame counter of the sprites (0 .. 19)
    int m_nShownDisks = 200;  // disks shown so far
};

class CJetDisplays final : public CSectionColours {
public:
    // Attaches itself to the case as the source of its section colours;
    // detaches in the destructor. The case must outlive it.
    explicit CJetDisplays(CCase& c);
    ~CJetDisplays() override;
    CJetDisplays(const CJetDisplays&) = delete;
    CJetDisplays& operator=(const CJetDisplays&) = delete;

    ColourMode Mode() const { return m_eMode; }
    // The concentration mode equalises the mean concentration, the others
    // the velocity (the half-width mode maps radii without the table).
    void SetMode(ColourMode mode) { m_eMode = mode; }
    // The colour table of the mode, made again after a placement or a
    // change of mode.
    const ColourTable& Colours() const;
    const ColourTable& SectionColourTable() const override { return Colours(); }

    // The sort tree of the jets as they are, made first when the tubes
    // changed since it was last made; null when there is none.
    const CSortTree* SortTree() const;
    std::shared_ptr<const CSortTree> SharedSortTree() const;
    // Makes the sort tree now, whatever its state.
    void BuildSortTree() const;
    bool IsSortTreeStale() const;
    // For a view that must not wait: true when the tree of the jets as they
    // are is at hand (a tree made in the background is taken over here).
    // Otherwise the tube quads are copied now, the tree is made on a thread
    // of its own and false is returned until it is done; the view draws
    // the jets the fast way meanwhile and asks again. A tree made for a
    // case that changed in between is dropped and made again.
    bool SortTreeReadyInBackground() const;
    // A tree is being made on its own thread and is not done yet.
    bool SortTreePending() const;
    // The sorted polygons as vertex arrays, kept by the renderer between
    // frames (it checks their key every sorted frame).
    CSortedJetArrays& SortedArrays() const;

    // The smoke presentation's progress of the jet with this identity.
    SmokeProgress& Smoke(JetId id) { return m_Smoke[id]; }

private:
    // Every quad of every tube, for a sort tree.
    std::vector<CSortPolygon> TubePolygons() const;
    // The tree made in the background, once done (waits for it when asked
    // to); installed when it is for the case as it is now. True if installed.
    bool TakeBuiltTree(bool wait) const;

    CCase& m_case;
    ColourMode m_eMode = ColourMode::Concentration;
    // The table, the placement it was made for and the quantity it
    // equalises (0 mean concentration, 3 velocity); until the first
    // placement every level is its own colour.
    mutable ColourTable m_Table;
    mutable std::uint64_t m_nTablePlacement = 0;
    mutable int m_nTableQuantity = 0;
    // The tree and the display generation it was made for: a case never
    // changed has no tree until one is asked to be made.
    mutable std::shared_ptr<CSortTree> m_pSortTree;
    mutable std::uint64_t m_nTreeGeneration = 0;
    // A tree being made on its own thread, and the generation it is for.
    mutable std::future<std::shared_ptr<CSortTree>> m_Building;
    mutable std::uint64_t m_nBuildingGeneration = 0;
    mutable std::shared_ptr<CSortedJetArrays> m_pSortedArrays;
    std::unordered_map<JetId, SmokeProgress> m_Smoke;
};
