// Curves of the report's plots drawn through fewer points: no point of the
// curve moves off it by more than the tolerance, and the picture stays.
#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <random>

#include "report/CurveReduction.h"

namespace {
double SegmentDistance(const QPointF& p, const QPointF& a, const QPointF& b) {
    const QPointF ab = b - a, ap = p - a;
    const double length2 = QPointF::dotProduct(ab, ab);
    const double t = length2 > 0.0 ? std::clamp(QPointF::dotProduct(ap, ab) / length2, 0.0, 1.0) : 0.0;
    const QPointF d = ap - t * ab;
    return std::hypot(d.x(), d.y());
}

// The farthest any point of line lies from the reduced polyline.
double FarthestFrom(const QPolygonF& line, const QPolygonF& reduced) {
    double farthest = 0.0;
    for (const QPointF& p : line) {
        double nearest = 1e300;
        for (int k = 0; k + 1 < reduced.size(); ++k)
            nearest = std::min(nearest, SegmentDistance(p, reduced[k], reduced[k + 1]));
        farthest = std::max(farthest, nearest);
    }
    return farthest;
}

// A jet's path as a plot gives it: 1500 points over a picture's width,
// rising and then levelling (a trapped plume), with a hairpin at the end
// and noise of a hundredth of a pixel.
QPolygonF DenseCurve(int points, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_real_distribution<double> noise(-0.01, 0.01);
    QPolygonF line;
    for (int i = 0; i < points; ++i) {
        const double t = static_cast<double>(i) / (points - 1);
        const double x = t < 0.9 ? 50.0 + 1000.0 * t : 950.0 - 1000.0 * (t - 0.9);
        const double y = 700.0 - 600.0 * (1.0 - std::exp(-4.0 * t)) + (t < 0.9 ? 0.0 : 40.0 * (t - 0.9) * 10.0);
        line << QPointF(x + noise(random), y + noise(random));
    }
    return line;
}

QImage Draw(const QPolygonF& line) {
    QImage image(1100, 760, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(31, 119, 180), 1.5));
    p.drawPolyline(line);
    return image;
}
}  // namespace

TEST(CurveReduction, EveryPointStaysWithinTheToleranceOfTheFewerPointsKept) {
    for (unsigned seed : {1u, 2u, 3u}) {
        const QPolygonF line = DenseCurve(1500, seed);
        for (double tolerance : {0.02, 0.05, 0.25}) {
            const QPolygonF reduced = ReducedPolyline(line, tolerance);
            ASSERT_GE(reduced.size(), 2);
            EXPECT_EQ(reduced.front(), line.front());
            EXPECT_EQ(reduced.back(), line.back());
            EXPECT_LE(FarthestFrom(line, reduced), tolerance * 1.0001) << "tolerance " << tolerance;
            // The kept points are points of the curve, in its order.
            int at = 0;
            for (const QPointF& q : reduced) {
                while (at < line.size() && line[at] != q) ++at;
                ASSERT_LT(at, line.size());
            }
            EXPECT_LT(reduced.size(), line.size() / 2) << "tolerance " << tolerance;
        }
    }
    // Too short to reduce, or no tolerance: the curve as it is.
    const QPolygonF two({QPointF(0, 0), QPointF(1, 1)});
    EXPECT_EQ(ReducedPolyline(two, 0.1), two);
    EXPECT_EQ(ReducedPolyline(DenseCurve(50, 4), 0.0), DenseCurve(50, 4));
}

TEST(CurveReduction, TheReducedCurveDrawsTheSamePicture) {
    const QPolygonF line = DenseCurve(1500, 7);
    const QImage full = Draw(line), reduced = Draw(ReducedPolyline(line, 0.05));
    int changed = 0, worst = 0;
    for (int y = 0; y < full.height(); ++y)
        for (int x = 0; x < full.width(); ++x) {
            const QRgb a = full.pixel(x, y), b = reduced.pixel(x, y);
            const int d =
                std::max({std::abs(qRed(a) - qRed(b)), std::abs(qGreen(a) - qGreen(b)), std::abs(qBlue(a) - qBlue(b))});
            worst = std::max(worst, d);
            if (d > 0) ++changed;
        }
    // Only the soft edges of the line (about 2 x 1500 pixels) may change,
    // by a few levels of 255: a tenth of a pixel's coverage at most.
    EXPECT_LE(worst, 24);
    EXPECT_LT(changed, 4000);
}
