#include "ui/OffscreenScene.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFramebufferObject>
#include <QSurfaceFormat>

#include <GL/gl.h>

#include <cstring>
#include <memory>
#include <vector>

#include "base/Prompt.h"
#include "document/PlumexDoc.h"
#include "gl/GlResources.h"
#include "gl/GlSetup.h"
#include "image/DibFormat.h"
#include "image/Hdibapi.h"
#include "scene/Water.h"
#include "ui/GlFormat.h"

namespace {
// Largest picture side: keeps the framebuffer and the DIB within reason.
constexpr int kMaxSide = 8192;

// A bottom-up 24-bit DIB of the RGBA rows (bottom row first, as GL reads them).
HDIB MakeDib(const std::vector<std::uint8_t>& rgba, int w, int h) {
    const std::size_t stride = DibRowStride(24, w);
    HDIB hDib = GlobalAllocBlock(sizeof(BITMAPINFOHEADER) + stride * h);
    if (!hDib) return nullptr;
    std::uint8_t* p = GlobalLockBlock(hDib);
    BITMAPINFOHEADER bi;
    InitBitmapInfoHeader(bi, w, h, 24);
    std::memcpy(p, &bi, sizeof bi);
    std::uint8_t* bits = p + sizeof bi;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* src = &rgba[std::size_t(y) * w * 4];
        std::uint8_t* dst = bits + std::size_t(y) * stride;
        for (int x = 0; x < w; ++x) {
            dst[3 * x + 0] = src[4 * x + 2];
            dst[3 * x + 1] = src[4 * x + 1];
            dst[3 * x + 2] = src[4 * x + 0];
        }
    }
    GlobalUnlockBlock(hDib);
    return hDib;
}
}  // namespace

HDIB RenderSceneToDib(CPlumexDoc& doc, int nWidth, int nHeight, const SceneFrameOptions& options,
                      const std::string& resourceDir, std::string& error) {
    if (nWidth < 1 || nHeight < 1 || nWidth > kMaxSide || nHeight > kMaxSide) {
        error = "picture size out of range";
        return nullptr;
    }
    QOffscreenSurface surface;
    surface.setFormat(SceneSurfaceFormat());
    surface.create();
    QOpenGLContext context;
    context.setFormat(SceneSurfaceFormat());
    if (!surface.isValid() || !context.create() || !context.makeCurrent(&surface)) {
        error = "no OpenGL context could be created";
        return nullptr;
    }
    HDIB hDib = nullptr;
    {
        // The GL names of this context end with the picture, while it is current.
        CGlResources resources(resourceDir);
        // The still water surface the 3-D view draws; without its texture
        // the surface is plain.
        CWater water;
        SceneFrameOptions frame = options;
        if (!frame.m_pWater) {
            CSilentPrompt quiet;
            water.LoadTexture(3, resourceDir, quiet);
            frame.m_pWater = &water;
        }
        QOpenGLFramebufferObject fbo(nWidth, nHeight, QOpenGLFramebufferObject::CombinedDepthStencil);
        if (!fbo.isValid() || !fbo.bind()) {
            error = "no offscreen framebuffer could be created";
        } else {
            glViewport(0, 0, nWidth, nHeight);
            glMatrixMode(GL_MODELVIEW);
            glLoadIdentity();
            ApplyFixedGlState();
            CViewControl camera = doc.m_ViewControl;
            camera.SetWindowSize(nWidth, nHeight);
            DrawSceneFrame(doc, doc.Displays(), camera, frame, resources);
            std::vector<std::uint8_t> rgba(std::size_t(nWidth) * nHeight * 4);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, nWidth, nHeight, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
            hDib = MakeDib(rgba, nWidth, nHeight);
            if (!hDib) error = "out of memory for the picture";
            fbo.release();
        }
    }
    context.doneCurrent();
    return hDib;
}
