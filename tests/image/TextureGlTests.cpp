// CTexture's OpenGL side on an off-screen OSMesa context: upload, bind, a
// textured quad and pixel drawing, read back.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/osmesa.h>

#include <array>
#include <cstdlib>
#include <vector>

#include "ImageTestUtil.h"
#include "image/Texture.h"
#include "support/ScriptedPrompt.h"

namespace {

class OsMesaTest : public ::testing::Test {
protected:
    static constexpr int kSize = 32;

    void SetUp() override {
        const int attribs[] = {
            OSMESA_FORMAT, OSMESA_RGBA, OSMESA_DEPTH_BITS, 24, OSMESA_PROFILE, OSMESA_COMPAT_PROFILE, 0};
        m_ctx = OSMesaCreateContextAttribs(attribs, nullptr);
        ASSERT_NE(m_ctx, nullptr);
        m_frame.assign(kSize * kSize * 4, 0);
        ASSERT_TRUE(OSMesaMakeCurrent(m_ctx, m_frame.data(), GL_UNSIGNED_BYTE, kSize, kSize));
        OSMesaPixelStore(OSMESA_Y_UP, 1);
        glViewport(0, 0, kSize, kSize);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(0, kSize, 0, kSize, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    void TearDown() override {
        if (m_ctx) OSMesaDestroyContext(m_ctx);
    }
    std::array<int, 3> ReadPixel(int x, int y) {
        glFinish();
        std::uint8_t p[4] = {};
        glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, p);
        return {p[0], p[1], p[2]};
    }

    OSMesaContext m_ctx = nullptr;
    std::vector<std::uint8_t> m_frame;
};

// An 8 x 8 BMP: bottom half red, top half green.
std::vector<std::uint8_t> HalvesBmp(int width = 8, int height = 8) {
    const int stride = (width * 3 + 3) / 4 * 4;
    CBytes b = BmpHeaders(54, width, height, 24);
    for (int row = 0; row < height; ++row) {  // file rows bottom-up
        for (int x = 0; x < width; ++x) {
            if (row < height / 2) b.Raw({0, 0, 255});
            else b.Raw({0, 255, 0});
        }
        for (int p = width * 3; p < stride; ++p) b.U8(0);
    }
    return b.v;
}

bool Near(const std::array<int, 3>& a, const std::array<int, 3>& b) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(a[i] - b[i]) > 8) return false;
    return true;
}

}  // namespace

TEST_F(OsMesaTest, UploadedTextureDrawsOnAQuadTheRightWayUp) {
    CTempDir dir;
    WriteBytes(dir.Path("water.bmp"), HalvesBmp());
    CScriptedPrompt prompt;
    CTexture tex("water.bmp");
    ASSERT_TRUE(tex.Load(dir.Path("water.bmp"), prompt));
    ASSERT_TRUE(tex.Upload());
    EXPECT_NE(tex.m_nTexId, 0u);
    EXPECT_TRUE(glIsTexture(tex.m_nTexId));
    GLint align = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &align);
    EXPECT_EQ(align, 4) << "alignment restored";

    glEnable(GL_TEXTURE_2D);
    tex.Bind();
    GLint mode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
    EXPECT_EQ(mode, GL_MODULATE);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glTexCoord2f(0, 0);
    glVertex2i(0, 0);
    glTexCoord2f(1, 0);
    glVertex2i(kSize, 0);
    glTexCoord2f(1, 1);
    glVertex2i(kSize, kSize);
    glTexCoord2f(0, 1);
    glVertex2i(0, kSize);
    glEnd();
    glDisable(GL_TEXTURE_2D);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    EXPECT_TRUE(Near(ReadPixel(16, 4), {255, 0, 0})) << "bottom of the image at t = 0";
    EXPECT_TRUE(Near(ReadPixel(16, 28), {0, 255, 0}));
}

TEST_F(OsMesaTest, NonSquareImagesAreRescaledAndPixelsDrawn) {
    CTempDir dir;
    WriteBytes(dir.Path("w.bmp"), HalvesBmp(6, 6));  // rows of 18 bytes, not 4-aligned
    CScriptedPrompt prompt;
    CTexture tex;
    ASSERT_TRUE(tex.Load(dir.Path("w.bmp"), prompt));
    EXPECT_EQ(tex.m_nSize, 4);
    ASSERT_TRUE(tex.Upload());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    tex.DrawPixelsAt(2, 2);
    EXPECT_TRUE(Near(ReadPixel(2, 2), {255, 0, 0}));
    EXPECT_TRUE(Near(ReadPixel(7, 7), {0, 255, 0}));
    EXPECT_TRUE(Near(ReadPixel(9, 9), {0, 0, 0}));

    glColor3f(0, 0, 1);
    tex.DrawPixelsMarked(20, 20);
    EXPECT_TRUE(Near(ReadPixel(30, 30), {0, 0, 255})) << "the 11 x 11 mark";
    EXPECT_TRUE(Near(ReadPixel(20, 20), {255, 0, 0}));
}

TEST_F(OsMesaTest, NothingLoadedMeansNothingUploaded) {
    CTexture tex("none.bmp");
    EXPECT_FALSE(tex.Upload());
    EXPECT_EQ(tex.m_nTexId, 0u);
}

TEST_F(OsMesaTest, DestructorDeletesTheTextureName) {
    CTempDir dir;
    WriteBytes(dir.Path("a.bmp"), HalvesBmp());
    CScriptedPrompt prompt;
    GLuint id = 0;
    {
        CTexture tex;
        tex.m_bAlpha = true;
        ASSERT_TRUE(tex.Load(dir.Path("a.bmp"), prompt));
        ASSERT_TRUE(tex.Upload());
        id = tex.m_nTexId;
        tex.Bind();
        GLint mode = 0;
        glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &mode);
        EXPECT_EQ(mode, GL_BLEND);
        EXPECT_TRUE(glIsTexture(id));
    }
    EXPECT_FALSE(glIsTexture(id));
}
