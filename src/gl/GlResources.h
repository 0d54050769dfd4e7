#pragma once
#ifndef PLUMEX_LAYER_GL
#error "a header of plumex_gl, included by a library that does not link it"
#endif
// The GL names that drawing a case needs in one context, or in one group of
// contexts that share their names: the ambient box's face textures and its
// display list. The case records hold none of them. The box is made on its
// first draw and made again when the record's box or the texture folder
// changed; deleting the holder deletes its names, so its owner deletes it
// while that context is current.
#include <map>
#include <memory>
#include <string>

class CAmbient;

class CGlResources {
public:
    // Face images are read from textureDir (a face without one is drawn
    // plain). Without a folder no ambient box is drawn.
    explicit CGlResources(std::string textureDir = std::string());
    ~CGlResources();
    CGlResources(const CGlResources&) = delete;
    CGlResources& operator=(const CGlResources&) = delete;

    const std::string& TextureDir() const { return m_strTextureDir; }
    // A new folder: the box is made again on its next draw.
    void SetTextureDir(const std::string& dir);

    // Makes the box's textures and list when this holder has none for the
    // record's box yet. Done before a frame starts, as it changes GL state
    // (texture binding, shading) that the frame should not see change.
    void PrepareAmbientBox(const CAmbient& ambient);
    // Draws the ambient box of the record (prepared first if need be) and
    // keeps the frame's zoom factor.
    void DrawAmbientBox(const CAmbient& ambient, float zoomFactor);
    // Deletes the box's names; the next draw makes them again.
    void ReleaseAmbientBox();

    unsigned int AmbientList() const { return m_nBoxList; }
    bool FaceLoaded(int face) const { return face >= 0 && face < 4 && m_bFaceLoaded[face]; }
    float LastZoomFactor() const { return m_fZoomFactor; }

    // The holder of the context or share group identified by key (a
    // QOpenGLContextGroup, an OSMesa context, ...), made on first request.
    static CGlResources& ForKey(const void* key, const std::string& textureDir);
    // Deletes the holder of key; its context must be current.
    static void ReleaseKey(const void* key);

private:
    // What the box's list was compiled from.
    struct BoxKey {
        double m_dHalfExtentX = 0, m_dHalfExtentZ = 0, m_dWaterDepth = 0;
        std::string m_strFaceNames[4];
        bool operator==(const BoxKey& o) const;
    };
    static BoxKey KeyOf(const CAmbient& ambient);
    void LoadTextures(const CAmbient& ambient);
    void BuildList(const CAmbient& ambient);

    std::string m_strTextureDir;
    bool m_bHaveBox = false;
    BoxKey m_Key;
    unsigned int m_nTexNames[4] = {0, 0, 0, 0};  // in texture order: Left, Right, SeaBed, Front
    bool m_bFaceLoaded[4] = {false, false, false, false};
    unsigned int m_nBoxList = 0;
    float m_fZoomFactor = 1.0f;

    static std::map<const void*, std::unique_ptr<CGlResources>>& Registry();
};
