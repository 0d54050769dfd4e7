// The OpenGL side of CTexture: building, binding and drawing the pixels.
#include <GL/gl.h>
#include <GL/glu.h>

#include <vector>

#include "image/Texture.h"

namespace {
void DeleteTexture(unsigned int nTexId) {
    GLuint id = nTexId;
    glDeleteTextures(1, &id);
}

// Keeps the pixel store alignments and restores them when it goes.
class CAlignmentGuard {
public:
    CAlignmentGuard() {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &m_nUnpack);
        glGetIntegerv(GL_PACK_ALIGNMENT, &m_nPack);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
    }
    ~CAlignmentGuard() {
        glPixelStorei(GL_UNPACK_ALIGNMENT, m_nUnpack);
        glPixelStorei(GL_PACK_ALIGNMENT, m_nPack);
    }

private:
    GLint m_nUnpack = 4;
    GLint m_nPack = 4;
};
}  // namespace

bool CTexture::Upload() {
    if (!m_pPixels || m_nSize < 4 || m_nWidth <= 0 || m_nHeight <= 0) return false;
    if (m_pfnDeleteTexture && m_nTexId != 0) m_pfnDeleteTexture(m_nTexId);
    GLuint id = 0;
    glGenTextures(1, &id);
    m_nTexId = id;
    m_pfnDeleteTexture = &DeleteTexture;
    glBindTexture(GL_TEXTURE_2D, id);
    CAlignmentGuard alignment;
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_REPEAT);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    const GLenum format = m_bAlpha ? GL_RGBA : GL_RGB;
    const GLint components = Components();
    if (m_nWidth == m_nSize && m_nHeight == m_nSize) {
        return gluBuild2DMipmaps(GL_TEXTURE_2D, components, m_nSize, m_nSize, format, GL_UNSIGNED_BYTE,
                                 m_pPixels.get()) == 0;
    }
    // Any other image is rescaled to the square, so the rows are read with
    // their own length and never past the end of the buffer.
    std::vector<std::uint8_t> square(static_cast<std::size_t>(m_nSize) * m_nSize * components);
    if (gluScaleImage(format, m_nWidth, m_nHeight, GL_UNSIGNED_BYTE, m_pPixels.get(), m_nSize, m_nSize,
                      GL_UNSIGNED_BYTE, square.data()) != 0)
        return false;
    return gluBuild2DMipmaps(GL_TEXTURE_2D, components, m_nSize, m_nSize, format, GL_UNSIGNED_BYTE, square.data()) == 0;
}

void CTexture::Bind() const {
    glBindTexture(GL_TEXTURE_2D, m_nTexId);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, m_bAlpha ? GL_BLEND : GL_MODULATE);
}

void CTexture::DrawPixels() const {
    if (!m_pPixels) return;
    CAlignmentGuard alignment;
    glDrawPixels(m_nWidth, m_nHeight, m_bAlpha ? GL_RGBA : GL_RGB, GL_UNSIGNED_BYTE, m_pPixels.get());
}

void CTexture::DrawPixelsAt(int x, int y) const {
    glRasterPos2i(x, y);
    DrawPixels();
}

void CTexture::DrawPixelsMarked(int x, int y) const {
    glBegin(GL_QUADS);
    glVertex2i(x, y);
    glVertex2i(x + 11, y);
    glVertex2i(x + 11, y + 11);
    glVertex2i(x, y + 11);
    glEnd();
    DrawPixelsAt(x, y);
}
