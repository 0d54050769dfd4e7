#pragma once
#ifndef PLUMEX_LAYER_IMAGE
#error "a header of plumex_image, included by a library that does not link it"
#endif
// One texture image: read from a BMP file (or a JPEG file when the name ends
// in "jpg"), kept bottom row first, and built into a mipmapped, repeating
// OpenGL 2-D texture. Loading is headless; Upload, Bind and the DrawPixels
// calls need a current OpenGL context and live in the GL library.
#include <cstdint>
#include <memory>
#include <string>

class CPrompt;

class CTexture {
public:
    explicit CTexture(const std::string& strFile = std::string());
    ~CTexture();
    CTexture(const CTexture&) = delete;
    CTexture& operator=(const CTexture&) = delete;

    // Reads the image. True when pixels were read; on false the reader has
    // already shown or recorded its reason and the caller shows
    // "Error reading texture".
    bool Load(const std::string& name, CPrompt& prompt);
    // Builds the texture object with its mipmaps from an m_nSize square
    // image (other sizes are rescaled to it). False when nothing is loaded.
    bool Upload();
    // Binds the texture; environment GL_BLEND for alpha textures, else GL_MODULATE.
    void Bind() const;
    // Draws the pixels at the current raster position.
    void DrawPixels() const;
    void DrawPixelsAt(int x, int y) const;
    // An 11 x 11 quad at (x, y), then the pixels there.
    void DrawPixelsMarked(int x, int y) const;

    const std::string& GetFileName() const { return m_strFile; }
    const std::uint8_t* GetPixels() const { return m_pPixels.get(); }
    int Components() const { return m_bAlpha ? 4 : 3; }
    // The side of the square texture for an image: the largest of 1024, 512,
    // ..., 4 that both sides reach; nPrevious when a side is below 4.
    static int SquareSize(int nWidth, int nHeight, int nPrevious);

    bool m_bAlpha = false;
    int m_nWidth = 0;
    int m_nHeight = 0;
    int m_nSize = 0;
    std::unique_ptr<std::uint8_t[]> m_pPixels;
    std::string m_strFile;
    unsigned int m_nTexId = 0;

private:
    // Set by Upload: deletes the OpenGL texture name. Textures never built
    // have no name to delete, and the headless core needs no GL library.
    void (*m_pfnDeleteTexture)(unsigned int) = nullptr;
};
