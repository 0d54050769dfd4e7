#pragma once
// An offscreen RGBA OpenGL context (compatibility profile, 24-bit depth)
// rendered by OSMesa into memory, for scene tests without any X server.
// The context is current from construction until destruction.
#include <cstdint>
#include <string>
#include <vector>

class COsMesaContext {
public:
    COsMesaContext(int nWidth, int nHeight);
    ~COsMesaContext();
    COsMesaContext(const COsMesaContext&) = delete;
    COsMesaContext& operator=(const COsMesaContext&) = delete;

    // False when OSMesa gave no context; Error() says which step failed.
    bool IsValid() const { return m_pContext != nullptr; }
    const std::string& Error() const { return m_strError; }

    // Makes this context current again (after another one was).
    bool MakeCurrent();

    int Width() const { return m_nWidth; }
    int Height() const { return m_nHeight; }

    // Finishes drawing and returns the colour buffer: RGBA bytes, rows from
    // the top of the picture down.
    std::vector<std::uint8_t> ReadPixels() const;
    // One pixel as 0xRRGGBBAA; y counts from the top row.
    std::uint32_t Pixel(int x, int y) const;

private:
    void* m_pContext = nullptr;  // OSMesaContext, kept opaque to spare users osmesa.h
    int m_nWidth;
    int m_nHeight;
    std::vector<std::uint8_t> m_buffer;
    std::string m_strError;
};
