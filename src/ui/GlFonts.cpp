#include "ui/GlFonts.h"

#include <QFont>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QStringDecoder>

#include <GL/gl.h>
#include <GL/glu.h>

#include <array>
#include <cmath>
#include <deque>
#include <vector>

namespace {
QFont FontFor(const char* face, int pixelSize) {
    QFont font = (!face || QString::fromLatin1(face) == "System")
                     ? QFontDatabase::systemFont(QFontDatabase::GeneralFont)
                     : QFont(QString::fromLatin1(face));
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Normal);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

QString GlyphText(int byte) {
    const char c = static_cast<char>(byte);
    QStringDecoder decoder("windows-1252");
    QString s = decoder(QByteArray(&c, 1));
    if (byte < 32 || s.isEmpty() || s[0] == QChar::ReplacementCharacter) return QString();
    return s;
}

// Keeps the vertices the tessellator makes where outlines cross.
struct TessData {
    std::deque<std::array<GLdouble, 3>> m_Extra;
    double m_dZ = 0.0;
};

void CombineCallback(GLdouble coords[3], void* [4], GLfloat[4], void** out, void* data) {
    auto* d = static_cast<TessData*>(data);
    d->m_Extra.push_back({coords[0], coords[1], coords[2]});
    *out = d->m_Extra.back().data();
}

void TessellateFace(GLUtesselator* tess, const QList<QPolygonF>& polygons, double z, double nz, double scale) {
    TessData data;
    std::vector<std::array<GLdouble, 3>> points;
    for (const QPolygonF& poly : polygons) points.reserve(points.size() + poly.size());
    gluTessNormal(tess, 0.0, 0.0, nz);
    glNormal3d(0.0, 0.0, nz);
    gluTessBeginPolygon(tess, &data);
    for (const QPolygonF& poly : polygons) {
        gluTessBeginContour(tess);
        for (const QPointF& p : poly) {
            points.push_back({p.x() * scale, -p.y() * scale, z});
            gluTessVertex(tess, points.back().data(), points.back().data());
        }
        gluTessEndContour(tess);
    }
    gluTessEndPolygon(tess);
}
}  // namespace

bool CompileBitmapFont(unsigned int base, const char* face) {
    const QFont font = FontFor(face, 12);
    const QFontMetrics fm(font);
    const int ascent = fm.ascent(), descent = fm.descent();
    const int height = std::max(1, ascent + descent);
    GLint alignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    for (int byte = 0; byte < 256; ++byte) {
        const QString text = GlyphText(byte);
        const int advance = text.isEmpty() ? 0 : fm.horizontalAdvance(text);
        // A blank glyph still gets a (blank) bitmap: a null bitmap in a list
        // loses its advance on some drivers.
        const int width = std::max(1, advance);
        QImage image(width, height, QImage::Format_RGB32);
        image.fill(Qt::white);
        if (!text.isEmpty()) {
            QPainter painter(&image);
            painter.setRenderHint(QPainter::Antialiasing, false);
            painter.setRenderHint(QPainter::TextAntialiasing, false);
            painter.setFont(font);
            painter.setPen(Qt::black);
            painter.drawText(0, ascent, text);
        }
        const int rowBytes = (width + 7) / 8;
        std::vector<GLubyte> bits(std::size_t(rowBytes) * height, 0);
        for (int y = 0; y < height; ++y) {
            const int row = height - 1 - y;  // glBitmap rows run bottom up
            for (int x = 0; x < width; ++x)
                if (qGray(image.pixel(x, y)) < 128)
                    bits[std::size_t(row) * rowBytes + x / 8] |= GLubyte(0x80 >> (x % 8));
        }
        glNewList(base + byte, GL_COMPILE);
        glBitmap(width, height, 0.0f, float(descent), float(advance), 0.0f, bits.data());
        glEndList();
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, alignment);
    return true;
}

bool CompileOutlineFont(unsigned int base, const char* face, double depth) {
    // Outlines at a large size, scaled down to one unit per em.
    constexpr int kSize = 256;
    const QFont font = FontFor(face, kSize);
    const QFontMetricsF fm(font);
    const double scale = 1.0 / kSize;
    GLUtesselator* tess = gluNewTess();
    if (!tess) return false;
    gluTessCallback(tess, GLU_TESS_BEGIN, reinterpret_cast<_GLUfuncptr>(glBegin));
    gluTessCallback(tess, GLU_TESS_VERTEX, reinterpret_cast<_GLUfuncptr>(glVertex3dv));
    gluTessCallback(tess, GLU_TESS_END, reinterpret_cast<_GLUfuncptr>(glEnd));
    gluTessCallback(tess, GLU_TESS_COMBINE_DATA, reinterpret_cast<_GLUfuncptr>(CombineCallback));
    gluTessProperty(tess, GLU_TESS_WINDING_RULE, GLU_TESS_WINDING_NONZERO);
    for (int byte = 0; byte < 256; ++byte) {
        const QString text = GlyphText(byte);
        QPainterPath path;
        if (!text.isEmpty()) path.addText(0.0, 0.0, font, text);
        const QList<QPolygonF> polygons = path.toSubpathPolygons();
        glNewList(base + byte, GL_COMPILE);
        if (!polygons.isEmpty()) {
            TessellateFace(tess, polygons, 0.0, 1.0, scale);
            if (depth != 0.0) {
                TessellateFace(tess, polygons, -depth, -1.0, scale);
                // The sides: one quad per outline edge, facing outwards.
                glBegin(GL_QUADS);
                for (const QPolygonF& poly : polygons) {
                    for (int i = 0; i + 1 < poly.size(); ++i) {
                        const double x0 = poly[i].x() * scale, y0 = -poly[i].y() * scale;
                        const double x1 = poly[i + 1].x() * scale, y1 = -poly[i + 1].y() * scale;
                        const double len = std::hypot(x1 - x0, y1 - y0);
                        if (len <= 0.0) continue;
                        glNormal3d((y1 - y0) / len, -(x1 - x0) / len, 0.0);
                        glVertex3d(x0, y0, 0.0);
                        glVertex3d(x0, y0, -depth);
                        glVertex3d(x1, y1, -depth);
                        glVertex3d(x1, y1, 0.0);
                    }
                }
                glEnd();
            }
        }
        glTranslated(text.isEmpty() ? 0.0 : fm.horizontalAdvance(text) * scale, 0.0, 0.0);
        glEndList();
    }
    gluDeleteTess(tess);
    return true;
}
