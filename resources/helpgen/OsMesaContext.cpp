#include "OsMesaContext.h"

#include <GL/osmesa.h>

COsMesaContext::COsMesaContext(int nWidth, int nHeight) : m_nWidth(nWidth), m_nHeight(nHeight) {
    if (nWidth <= 0 || nHeight <= 0) {
        m_strError = "context size must be positive";
        return;
    }
    const int attribs[] = {OSMESA_FORMAT,
                           OSMESA_RGBA,
                           OSMESA_DEPTH_BITS,
                           24,
                           OSMESA_STENCIL_BITS,
                           8,
                           OSMESA_PROFILE,
                           OSMESA_COMPAT_PROFILE,
                           0};
    OSMesaContext ctx = OSMesaCreateContextAttribs(attribs, nullptr);
    if (!ctx) {
        m_strError = "OSMesaCreateContextAttribs failed";
        return;
    }
    m_buffer.assign(static_cast<std::size_t>(nWidth) * nHeight * 4, 0);
    if (!OSMesaMakeCurrent(ctx, m_buffer.data(), GL_UNSIGNED_BYTE, nWidth, nHeight)) {
        OSMesaDestroyContext(ctx);
        m_strError = "OSMesaMakeCurrent failed";
        return;
    }
    // Rows of the buffer run from the top of the picture down.
    OSMesaPixelStore(OSMESA_Y_UP, 0);
    m_pContext = ctx;
}

COsMesaContext::~COsMesaContext() {
    // llvmpipe may still be drawing: destroying the context under it crashes.
    if (m_pContext) glFinish();
    if (m_pContext) OSMesaDestroyContext(static_cast<OSMesaContext>(m_pContext));
}

bool COsMesaContext::MakeCurrent() {
    return m_pContext &&
           OSMesaMakeCurrent(static_cast<OSMesaContext>(m_pContext), m_buffer.data(), GL_UNSIGNED_BYTE, m_nWidth,
                             m_nHeight) &&
           (OSMesaPixelStore(OSMESA_Y_UP, 0), true);
}

std::vector<std::uint8_t> COsMesaContext::ReadPixels() const {
    if (!m_pContext) return {};
    glFinish();
    return m_buffer;
}

std::uint32_t COsMesaContext::Pixel(int x, int y) const {
    if (!m_pContext || x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return 0;
    glFinish();
    const std::uint8_t* p = &m_buffer[(static_cast<std::size_t>(y) * m_nWidth + x) * 4];
    return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) | p[3];
}
