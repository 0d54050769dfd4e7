// Drawing of the cut plane on an offscreen OSMesa context.
#include <gtest/gtest.h>

#include <GL/gl.h>
#include <GL/glu.h>

#include <cmath>

#include "OsMesaContext.h"
#include "SectionCase.h"
#include "base/AppState.h"
#include "geometry/CutPlane.h"
#include "support/ScriptedPrompt.h"

namespace {
int CountPixels(const COsMesaContext& ctx, bool (*match)(std::uint32_t)) {
    int n = 0;
    for (int y = 0; y < ctx.Height(); ++y)
        for (int x = 0; x < ctx.Width(); ++x) n += match(ctx.Pixel(x, y));
    return n;
}
bool IsRed(std::uint32_t p) { return (p >> 24) > 200 && ((p >> 16) & 0xFF) < 50 && ((p >> 8) & 0xFF) < 50; }
bool IsWhite(std::uint32_t p) { return (p >> 24) > 200 && ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) > 200; }
bool IsGreen(std::uint32_t p) { return (p >> 24) < 50 && ((p >> 16) & 0xFF) > 200 && ((p >> 8) & 0xFF) < 50; }
}  // namespace

TEST(CutPlaneGl, DrawsOutlineAxesAndSectionAndLoadsTheClipPlane) {
    COsMesaContext ctx(200, 200);
    ASSERT_TRUE(ctx.IsValid()) << ctx.Error();
    CAppState app;
    CScriptedPrompt prompt;
    CCase doc(app, prompt);
    BuildSectionCase(doc, {StraightJet{}});
    double c[3];
    DiskCentre(*doc.GetCurrentJet(), 90, c);
    CCutPlane& plane = doc.m_CutPlane;
    doc.SetCutPlane(90.0, 0.0, c[0] + 0.3, 200, CutPlaneKind::UserSpecified, true);
    ASSERT_EQ(plane.Polygons().size(), 1u);

    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-15.0, 15.0, -15.0, 15.0, 1.0, 200.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(c[0] + 50.0, c[1], c[2], c[0], c[1], c[2], 0.0, 1.0, 0.0);
    glEnable(GL_LIGHTING);
    glColor3f(0.25f, 0.5f, 0.75f);
    plane.Draw();
    EXPECT_GT(CountPixels(ctx, IsRed), 20);    // the section outline
    EXPECT_GT(CountPixels(ctx, IsWhite), 40);  // the plane outline
    EXPECT_GT(CountPixels(ctx, IsGreen), 10);  // the x axis arrow
    // The outline is recentred on the section, at least 10 m each way.
    EXPECT_NEAR(plane.m_dOutline[1] - plane.m_dOutline[0], 20.0, 1e-9);

    // State comes back as it was.
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_FLOAT_EQ(colour[1], 0.5f);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);

    // With an identity modelview the clip plane is stored as given.
    glLoadIdentity();
    plane.Draw();
    GLdouble eq[4];
    glGetClipPlane(GL_CLIP_PLANE1, eq);
    // Mesa keeps clip planes in single precision.
    for (int i = 0; i < 4; ++i) EXPECT_NEAR(eq[i], plane.m_dEquation[i], 1e-5 * (1.0 + std::fabs(eq[i])));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
