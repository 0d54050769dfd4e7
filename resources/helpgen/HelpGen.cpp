// Generator of the pictures of the help pages. It opens computed cases,
// draws their 3-D scene into an OSMesa context (no display needed) and
// writes PNG files into the help folder:
//   demo-scene.png    the jets of CASE, colour-mapped by concentration
//   demo-cutplane.png the jets of CONTINUOUS-CASE (the same case computed in
//                     continuous mode, so that the trapped plumes drift on)
//                     with the cross-section plane 40 m downstream
//   demo-section.png  the section image of that plane, as the plane view shows it
// Usage: plumex_helpgen CASE.pmx CONTINUOUS-CASE.pmx HELP-FOLDER

#include <GL/gl.h>

#include <QBuffer>
#include <QByteArray>
#include <QImage>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "OsMesaContext.h"
#include "base/AppState.h"
#include "base/StderrPrompt.h"
#include "document/PlumexDoc.h"
#include "geometry/CutPlane.h"
#include "gl/GlResources.h"
#include "gl/GlSetup.h"
#include "gl/SceneFrame.h"
#include "image/Dib.h"
#include "model/Ambient.h"

namespace {
constexpr int kWidth = 880;
constexpr int kHeight = 560;
constexpr double kPlaneDistance = 40.0;

// The offscreen picture as drawn so far.
QImage Picture(const COsMesaContext& context) {
    const std::vector<std::uint8_t> rgba = context.ReadPixels();
    return QImage(rgba.data(), context.Width(), context.Height(), QImage::Format_RGBA8888)
        .convertToFormat(QImage::Format_RGB32);
}

bool Save(const QImage& image, const std::string& folder, const char* name) {
    const std::string path = folder + "/" + name;
    if (image.isNull() || !image.save(QString::fromStdString(path), "PNG")) {
        std::fprintf(stderr, "plumex_helpgen: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

// The section image (an 8-bit DIB with its colour table) as a QImage, by way
// of the BMP file it would be saved as.
QImage SectionPicture(const CDib& dib) {
    QByteArray bmp;
    const std::uint32_t offset =
        14 + dib.Header()->biSize + 4 * (dib.Header()->biClrUsed ? dib.Header()->biClrUsed : 256);
    const std::uint32_t size = 14 + std::uint32_t(dib.BlockSize());
    auto put32 = [&bmp](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bmp.append(char((v >> (8 * i)) & 0xff));
    };
    bmp.append("BM", 2);
    put32(size);
    put32(0);
    put32(offset);
    bmp.append(reinterpret_cast<const char*>(dib.Header()), int(dib.BlockSize()));
    return QImage::fromData(bmp, "BMP");
}

// Opens a computed case for drawing: sorted, colour-mapped jets and the
// face textures of the ambient box (made by the holder on the first draw).
bool OpenForDrawing(CPlumexDoc& doc, const char* path) {
    if (!doc.OpenCase(path)) return false;
    doc.PrepareJetDisplays();
    doc.BuildColourTable(ColourMode::Concentration);
    return true;
}

// The case's own camera; with the cut plane, a camera downstream of the
// section looking back at it, and everything downstream of the plane
// clipped away, so that the cut faces of the plumes show.
void DrawScene(CPlumexDoc& doc, bool withPlane, CGlResources& resources) {
    glViewport(0, 0, kWidth, kHeight);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    ApplyFixedGlState();
    CViewControl camera = doc.m_ViewControl;
    SceneFrameOptions options;
    options.m_bFastDisplay = false;
    if (withPlane) {
        const double* box = doc.m_CutPlane.m_dBox;
        const double centre[3] = {(box[0] + box[1]) / 2, (box[2] + box[3]) / 2, (box[4] + box[5]) / 2};
        const double span = std::max({box[1] - box[0], box[3] - box[2], box[5] - box[4], 10.0});
        const double offset[3] = {0.9 * span, 0.45 * span, 0.6 * span};
        for (int i = 0; i < 3; ++i) {
            camera.m_dTarget[i] = centre[i];
            camera.m_dEye[i] = centre[i] + offset[i];
            camera.m_dUp[i] = i == 1 ? 1.0 : 0.0;
        }
        options.m_bClipToCutPlane = true;
        options.m_bDrawCutPlane = true;
    }
    camera.SetWindowSize(kWidth, kHeight);
    DrawSceneFrame(doc, doc.Displays(), camera, options, resources);
}
}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: plumex_helpgen CASE.pmx CONTINUOUS-CASE.pmx HELP-FOLDER\n");
        return 2;
    }
    const std::string folder = argv[3];
    CStderrPrompt prompt;
    COsMesaContext context(kWidth, kHeight);
    if (!context.IsValid()) {
        std::fprintf(stderr, "plumex_helpgen: OSMesa gave no OpenGL context\n");
        return 1;
    }
    // The GL names of the one context; deleted while it is still current.
    CGlResources resources(folder);
    bool ok = false;
    {
        CAppState app;
        CPlumexDoc doc(app, prompt);
        if (!OpenForDrawing(doc, argv[1])) return 1;
        DrawScene(doc, false, resources);
        ok = Save(Picture(context), folder, "demo-scene.png");
    }
    CAppState app;
    CPlumexDoc doc(app, prompt);
    if (!OpenForDrawing(doc, argv[2])) return 1;

    // The cross-section view plane (normal to the current), as the data pane
    // places it for a distance of 40 m.
    const CCutPlane& plane = doc.m_CutPlane;
    const double h = (90.0 - doc.CurrentAngle()) + 90.0;
    doc.SetCutPlane(h, 0.0, kPlaneDistance, plane.m_nDiskNo, CutPlaneKind::CrossSection, true);
    if (!plane.m_bValid || !plane.Image() || plane.Image()->IsEmpty()) {
        std::fprintf(stderr, "plumex_helpgen: the plane at %.0f m cuts no jet\n", kPlaneDistance);
        return 1;
    }
    DrawScene(doc, true, resources);
    ok = Save(Picture(context), folder, "demo-cutplane.png") && ok;
    QImage section = SectionPicture(*plane.Image());
    // At 20 pixels a metre a wide section is larger than a help page.
    if (!section.isNull() && section.width() > 800)
        section = section.convertToFormat(QImage::Format_RGB32).scaledToWidth(800, Qt::SmoothTransformation);
    ok = Save(section, folder, "demo-section.png") && ok;
    return ok ? 0 : 1;
}
