#include "image/Texture.h"

#include <algorithm>
#include <cctype>
#include <new>

#include "base/Prompt.h"
#include "image/BMPFile.h"
#include "image/JpegFile.h"

namespace {
bool EndsWithJpg(const std::string& name) {
    if (name.size() < 3) return false;
    std::string tail = name.substr(name.size() - 3);
    std::transform(tail.begin(), tail.end(), tail.begin(), [](unsigned char c) { return std::tolower(c); });
    return tail == "jpg";
}

// RGB to RGBA with alpha 255.
std::unique_ptr<std::uint8_t[]> AddAlpha(const std::uint8_t* rgb, std::size_t nPixels) {
    std::unique_ptr<std::uint8_t[]> out(new (std::nothrow) std::uint8_t[nPixels * 4]);
    if (!out) return nullptr;
    for (std::size_t i = 0; i < nPixels; ++i) {
        out[4 * i] = rgb[3 * i];
        out[4 * i + 1] = rgb[3 * i + 1];
        out[4 * i + 2] = rgb[3 * i + 2];
        out[4 * i + 3] = 255;
    }
    return out;
}
}  // namespace

CTexture::CTexture(const std::string& strFile) : m_strFile(strFile) {}

CTexture::~CTexture() {
    if (m_pfnDeleteTexture && m_nTexId != 0) m_pfnDeleteTexture(m_nTexId);
}

int CTexture::SquareSize(int nWidth, int nHeight, int nPrevious) {
    for (int size = 1024; size >= 4; size /= 2) {
        if (nWidth >= size && nHeight >= size) return size;
    }
    return nPrevious;
}

bool CTexture::Load(const std::string& name, CPrompt& prompt) {
    int w = 0, h = 0;
    std::unique_ptr<std::uint8_t[]> pixels;
    if (EndsWithJpg(name)) {
        pixels = JpegFileToRGB(name, w, h, prompt);
        // The JPEG reader gives 3 bytes per pixel; an alpha texture keeps 4.
        if (pixels && m_bAlpha) pixels = AddAlpha(pixels.get(), static_cast<std::size_t>(w) * h);
    } else {
        CBMPFile reader;
        reader.m_bRGBA = m_bAlpha;
        pixels = reader.LoadBMP(name, w, h);
    }
    if (!pixels) return false;
    VertFlipBuf(pixels.get(), static_cast<std::size_t>(w) * Components(), static_cast<std::size_t>(h));
    m_nWidth = w;
    m_nHeight = h;
    m_strFile = name;
    m_pPixels = std::move(pixels);
    m_nSize = SquareSize(w, h, m_nSize);
    return true;
}
