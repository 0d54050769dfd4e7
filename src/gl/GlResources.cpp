// The per-context holder of GL names and the registry of holders by context
// or share group.
#include "gl/GlResources.h"

#include <GL/gl.h>

CGlResources::CGlResources(std::string textureDir) : m_strTextureDir(std::move(textureDir)) {}

CGlResources::~CGlResources() { ReleaseAmbientBox(); }

void CGlResources::SetTextureDir(const std::string& dir) {
    if (dir == m_strTextureDir) return;
    m_strTextureDir = dir;
    m_bHaveBox = false;
}

void CGlResources::ReleaseAmbientBox() {
    if (m_nBoxList) glDeleteLists(m_nBoxList, 1);
    if (m_nTexNames[0]) glDeleteTextures(4, m_nTexNames);
    m_nBoxList = 0;
    for (unsigned int& name : m_nTexNames) name = 0;
    for (bool& loaded : m_bFaceLoaded) loaded = false;
    m_bHaveBox = false;
}

std::map<const void*, std::unique_ptr<CGlResources>>& CGlResources::Registry() {
    static std::map<const void*, std::unique_ptr<CGlResources>> registry;
    return registry;
}

CGlResources& CGlResources::ForKey(const void* key, const std::string& textureDir) {
    auto& slot = Registry()[key];
    if (!slot) slot = std::make_unique<CGlResources>(textureDir);
    return *slot;
}

void CGlResources::ReleaseKey(const void* key) { Registry().erase(key); }
