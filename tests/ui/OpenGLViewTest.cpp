// The GL view base on a real widget (xcb under Xvfb) and the offscreen scene
// renderer behind --render.
#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QImage>
#include <QOpenGLContext>

#include <GL/gl.h>

#include <cstring>

#include "../scene/SyntheticCase.h"
#include "base/AppState.h"
#include "document/PlumexDoc.h"
#include "image/DibFormat.h"
#include "image/Hdibapi.h"
#include "support/ScriptedPrompt.h"
#include "ui/OffscreenScene.h"
#include "ui/OpenGLView.h"

namespace {
bool HaveGlPlatform() { return QGuiApplication::platformName() == "xcb"; }

#define REQUIRE_GL_PLATFORM()                                                             \
    if (!HaveGlPlatform())                                                                \
    GTEST_SKIP() << "GL widgets need the xcb platform (run under xvfb-run); platform is " \
                 << QGuiApplication::platformName().toStdString()

class TestView : public COpenGLView {
public:
    using COpenGLView::m_nNextListId;
    using COpenGLView::resizeGL;
};

bool NearRgb(QRgb p, int r, int g, int b, int tol = 3) {
    return std::abs(qRed(p) - r) <= tol && std::abs(qGreen(p) - g) <= tol && std::abs(qBlue(p) - b) <= tol;
}
}  // namespace

TEST(OpenGLViewErrors, OnlyTheFirstErrorIsKept) {
    TestView view;
    EXPECT_STREQ(view.ErrorString(), "No Error");
    view.RecordError(7);
    EXPECT_STREQ(view.ErrorString(), "SwapBuffers failed");
    view.RecordError(4);
    EXPECT_STREQ(view.ErrorString(), "SwapBuffers failed");
    view.RecordError(99);  // not in the table: ignored
    EXPECT_STREQ(view.ErrorString(), "SwapBuffers failed");
}

TEST(OpenGLView, SetUpDrawsTheFloorOnTheSeaBlueAndBuildsFonts) {
    REQUIRE_GL_PLATFORM();
    TestView view;
    view.resize(240, 160);
    view.show();
    const QImage img = view.grabFramebuffer();
    ASSERT_FALSE(img.isNull());
    EXPECT_STREQ(view.ErrorString(), "No Error");
    EXPECT_TRUE(NearRgb(img.pixel(0, 0), 45, 71, 128)) << std::hex << img.pixel(0, 0);
    // The floor grid under the default camera covers the middle of the picture.
    const QRgb mid = img.pixel(img.width() / 2, img.height() / 2);
    EXPECT_FALSE(NearRgb(mid, 45, 71, 128, 10));
    // Fonts: the first list handed out is 2; both fonts got 256 lists.
    EXPECT_EQ(view.BitmapFontBase(), 2u);
    EXPECT_GT(view.OutlineFontBase(), view.BitmapFontBase());
    view.makeCurrent();
    EXPECT_TRUE(glIsList(view.BitmapFontBase() + 'A'));
    EXPECT_TRUE(glIsList(view.OutlineFontBase() + 'A'));
    // Text and the next name: after both fonts the next free name follows.
    view.DrawText(0, "ignored");
    view.DrawText(view.BitmapFontBase(), nullptr);
    glRasterPos2f(0, 0);
    view.DrawText(view.BitmapFontBase(), "Plumex");
    const unsigned int next = view.AllocateListId();
    EXPECT_GT(next, 0u);
    EXPECT_FALSE(glIsList(next));
    EXPECT_EQ(GLenum(GL_NO_ERROR), glGetError());
    view.doneCurrent();
}

TEST(OpenGLView, AllocateListIdGivesUpAfter10001TakenNames) {
    REQUIRE_GL_PLATFORM();
    TestView view;
    view.resize(64, 64);
    view.show();
    view.grabFramebuffer();
    view.makeCurrent();
    const GLuint block = glGenLists(10100);
    ASSERT_NE(block, 0u);
    for (GLuint i = 0; i < 10100; ++i) {
        glNewList(block + i, GL_COMPILE);
        glEndList();
    }
    view.m_nNextListId = int(block) - 1;
    EXPECT_EQ(view.AllocateListId(), 0u);
    EXPECT_EQ(view.BuildBitmapFont("System"), 0u);
    glDeleteLists(block, 10100);
    view.doneCurrent();
}

TEST(OpenGLView, ZeroSizeResizeChangesNothing) {
    REQUIRE_GL_PLATFORM();
    TestView view;
    view.resize(100, 80);
    view.show();
    view.grabFramebuffer();
    view.makeCurrent();
    GLfloat before[16], after[16];
    glMatrixMode(GL_PROJECTION);
    glGetFloatv(GL_PROJECTION_MATRIX, before);
    view.resizeGL(0, 50);
    view.resizeGL(50, 0);
    glGetFloatv(GL_PROJECTION_MATRIX, after);
    EXPECT_EQ(0, std::memcmp(before, after, sizeof before));
    view.doneCurrent();
}

TEST(OffscreenScene, RendersTheCaseIntoADib) {
    REQUIRE_GL_PLATFORM();
    CAppState app;
    CScriptedPrompt prompt;
    CPlumexDoc doc(app, prompt);
    BuildSyntheticCase(doc, 4, 300);
    doc.PrepareJetDisplays();
    std::string error;
    SceneFrameOptions options;
    const std::vector<unsigned char> before = doc.SaveToBytes();
    HDIB hDib = RenderSceneToDib(doc, 200, 120, options, "/nonexistent-folder", error);
    ASSERT_NE(hDib, nullptr) << error;
    // Painting reads the case only.
    EXPECT_EQ(doc.SaveToBytes(), before);
    const std::uint8_t* p = GlobalLockBlock(hDib);
    BITMAPINFOHEADER bi;
    std::memcpy(&bi, p, sizeof bi);
    EXPECT_EQ(bi.biWidth, 200);
    EXPECT_EQ(bi.biHeight, 120);
    EXPECT_EQ(bi.biBitCount, 24);
    const std::uint8_t* bits = p + sizeof bi;
    const std::size_t stride = DibRowStride(24, 200);
    // The top-left corner (last row, bottom-up) shows the walls above the
    // water or the clear colour; the jets make many pixels differ from both.
    int colours = 0;
    for (int y = 0; y < 120; y += 4)
        for (int x = 0; x < 200; x += 4) {
            const std::uint8_t* q = bits + y * stride + 3 * x;
            colours += (q[0] != bits[0] || q[1] != bits[1] || q[2] != bits[2]);
        }
    EXPECT_GT(colours, 100);
    GlobalUnlockBlock(hDib);
    GlobalFreeBlock(hDib);

    EXPECT_EQ(RenderSceneToDib(doc, 0, 120, options, "", error), nullptr);
    EXPECT_FALSE(error.empty());
}
