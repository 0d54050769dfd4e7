// The geometry of a row of overlapping circles (Row.h), without a run: the
// per-port area and free perimeter of the union, their limits, the inverse
// that gives the radius from the area, the half gap, the line weight and the
// projected width.
#include "Constants.h"
#include "Row.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

using namespace mardex;

namespace {

const std::vector<int> kPortCounts = {2, 5, 1000};

// b/a from 0.2 to 200, evenly in log.
std::vector<double> radiusRatios() {
    std::vector<double> r;
    for (int i = 0; i <= 60; ++i) r.push_back(0.2 * std::pow(1000.0, i / 60.0));
    return r;
}

// A row of n ports spaced s along the axis at psi (degrees), ports of 0.1 m.
PortRow row(int n, double s, double psiDeg) { return makePortRow(n, s, psiDeg, 0.1); }

}  // namespace

TEST(RowGeometry, PerimeterIsTheDerivativeOfTheArea) {
    const double a = 0.7;
    for (int n : kPortCounts)
        for (double ratio : {0.5, 1.0001, 1.01, 1.3, 2.0, 7.0, 40.0, 200.0}) {
            const double b = ratio * a, h = 1e-6 * b;
            const double slope = (rowArea(b + h, a, n) - rowArea(b - h, a, n)) / (2.0 * h);
            EXPECT_NEAR(slope / rowPerimeter(b, a, n), 1.0, 1e-6) << "N " << n << " b/a " << ratio;
        }
}

TEST(RowGeometry, LimitsOfTheAreaAndPerimeter) {
    const double a = 0.5;
    // Apart: the lone circle, exactly.
    for (int n : kPortCounts)
        for (double b : {0.01, 0.3, 0.5}) {
            EXPECT_EQ(rowArea(b, a, n), kPi * b * b);
            EXPECT_EQ(rowPerimeter(b, a, n), 2.0 * kPi * b);
        }
    // An endless row much wider than the gap: a wall 2b thick, 2a of it per port.
    const int endless = 1000000;
    for (double ratio : {100.0, 300.0}) {
        const double b = ratio * a;
        EXPECT_NEAR(rowArea(b, a, endless) / (4.0 * a * b), 1.0, 1e-3) << ratio;
        EXPECT_NEAR(rowPerimeter(b, a, endless) / (4.0 * a), 1.0, 1e-3) << ratio;
    }
    // A plume much wider than the whole row: one circle shared by N ports.
    for (int n : {2, 5, 20}) {
        const double b = 1e5 * (n - 1) * 2.0 * a;
        EXPECT_NEAR(rowArea(b, a, n) * n / (kPi * b * b), 1.0, 1e-4) << n;
        EXPECT_NEAR(rowPerimeter(b, a, n) * n / (2.0 * kPi * b), 1.0, 1e-4) << n;
    }
}

TEST(RowGeometry, RadiusFromTheAreaInvertsTheArea) {
    const double a = 0.3;
    for (int n : kPortCounts)
        for (double ratio : radiusRatios()) {
            const double b = ratio * a;
            const double got = rowRadius(rowArea(b, a, n), a, n);
            EXPECT_NEAR(got / b, 1.0, 1e-9) << "N " << n << " b/a " << ratio;
        }
    // One port, or a radius within the gap: the round radius.
    EXPECT_DOUBLE_EQ(rowRadius(kPi * 4.0, 0.3, 1), 2.0);
    EXPECT_DOUBLE_EQ(rowRadius(kPi * 0.04, 0.3, 50), 0.2);
}

// The shape keeps the last solution and its trend as the next first guess;
// whatever that guess, the shape is the same to round-off.
TEST(RowGeometry, ShapeDoesNotDependOnTheSolversFirstGuess) {
    for (int n : kPortCounts)
        for (double round : {1.0001, 1.01, 1.3, 3.0, 30.0, 3000.0}) {
            const PortRow cold = row(n, 2.0, 90.0);  // vertical jets: a = 1
            double b0 = round;
            const RowShape ref = rowShape(cold, 0.0, 0.0, b0);
            const auto expectSame = [&](PortRow& warm, const char* what) {
                double b = round;
                const RowShape s = rowShape(warm, 0.0, 0.0, b);
                EXPECT_NEAR(b / b0, 1.0, 1e-12) << "N " << n << " b_r " << round << " " << what;
                EXPECT_NEAR(s.perimeterShare, ref.perimeterShare, 1e-12) << what;
                EXPECT_NEAR(s.lineWeight, ref.lineWeight, 1e-12) << what;
                EXPECT_NEAR(s.areaPerPerimeter / ref.areaPerPerimeter, 1.0, 1e-12) << what;
            };
            // The last shape close by (its Taylor polynomial), farther off
            // (its b/b_r), or at the very first touch.
            for (double before : {1.0 - 1e-6, 1.0 + 1e-9, 0.97, 1.04, 0.5, 2.0, 1e6}) {
                PortRow warm = cold;
                double b = std::max(1.0 + 1e-12, round * before);
                rowShape(warm, 0.0, 0.0, b);
                expectSame(warm, "after a shape");
            }
            // A trend that points below the round radius, far above it, or
            // nowhere.
            const double q = round * round, near = 0.999 * q;
            const std::array<PortRow::Trend, 5> odd = {{{near, 0.5 * round, 0.0, 0.0, 0.0},
                                                        {near, 1e6 * round, 0.0, 0.0, 0.0},
                                                        {near, round, HUGE_VAL, 0.0, 0.0},
                                                        {near, round, 1.0, -HUGE_VAL, 0.0},
                                                        {1e-3 * q, HUGE_VAL, 0.0, 0.0, 0.0}}};
            for (const PortRow::Trend& t : odd) {
                PortRow warm = cold;
                warm.last = t;
                expectSame(warm, "odd trend");
            }
        }
}

// After a shape the row holds q = (b_r/a)^2, x(q) and the first three
// derivatives of x(q) (in units of the half gap), against differences of
// solved radii.
TEST(RowGeometry, TrendOfTheLastShapeHoldsTheDerivativesOfTheRadius) {
    for (int n : kPortCounts)
        for (double round : {1.1, 1.5, 4.0, 60.0}) {
            const PortRow r = row(n, 3.0, 90.0);  // vertical jets: a = 1.5
            const double q = round * round, h = 2e-3 * q;
            std::array<double, 5> x{};
            for (int i = 0; i < 5; ++i) {
                double b = 1.5 * std::sqrt(q + (i - 2) * h);
                rowShape(r, 0.0, 0.0, b);
                x[static_cast<std::size_t>(i)] = b / 1.5;
            }
            EXPECT_NEAR(r.last.area, q + 2.0 * h, 1e-12 * q);
            EXPECT_NEAR(r.last.radius, x[4], 1e-12 * x[4]);
            double b = 1.5 * round;
            rowShape(r, 0.0, 0.0, b);
            const double rise = (x[3] - x[1]) / (2.0 * h), bend = (x[3] - 2.0 * x[2] + x[1]) / (h * h),
                         twist = (x[4] - 2.0 * x[3] + 2.0 * x[1] - x[0]) / (2.0 * h * h * h);
            EXPECT_NEAR(r.last.rise / rise, 1.0, 1e-5) << "N " << n << " b_r " << round;
            EXPECT_NEAR(r.last.bend / bend, 1.0, 1e-3) << "N " << n << " b_r " << round;
            EXPECT_NEAR(r.last.twist / twist, 1.0, 2e-2) << "N " << n << " b_r " << round;
        }
}

TEST(RowGeometry, HalfGapAcrossTheAxisWithTheDiameterAsFloor) {
    const PortRow r = row(10, 4.0, 90.0);  // axis along y
    EXPECT_TRUE(r.active());
    EXPECT_NEAR(halfGap(r, 1.0, 0.0), 2.0, 1e-12);                                   // normal to the axis
    EXPECT_NEAR(halfGap(r, std::sqrt(0.5), std::sqrt(0.5)), std::sqrt(2.0), 1e-12);  // 45 deg
    EXPECT_NEAR(halfGap(r, 0.0, 1.0), 0.05, 1e-12);                                  // along the axis: D/2
    // psi and psi + 180 are the same row.
    const PortRow back = row(10, 4.0, 270.0);
    EXPECT_NEAR(halfGap(back, 0.6, 0.8), halfGap(r, 0.6, 0.8), 1e-12);
    EXPECT_FALSE(row(1, 4.0, 90.0).active());
    EXPECT_FALSE(row(50, 0.0, 90.0).active());
}

TEST(RowGeometry, ShapeFromTheFirstTouchToAPlumeWiderThanTheRow) {
    const PortRow r = row(10, 2.0, 90.0);  // vertical jets: a = 1
    double b = 0.999;
    const RowShape apart = rowShape(r, 0.0, 0.0, b);
    EXPECT_FALSE(apart.merged);
    EXPECT_EQ(b, 0.999);
    EXPECT_EQ(apart.lineWeight, 0.0);
    EXPECT_EQ(apart.perimeterShare, 1.0);

    // Just touching: nothing inside the neighbours yet.
    b = 1.0 + 1e-9;
    const RowShape touch = rowShape(r, 0.0, 0.0, b);
    EXPECT_TRUE(touch.merged);
    EXPECT_NEAR(touch.lineWeight, 0.0, 1e-4);
    EXPECT_NEAR(touch.perimeterShare, 1.0, 1e-4);

    // The line weight rises while the plumes overlap, then falls again once the
    // plume is much wider than the row (it is one round plume of N ports).
    double wMax = 0.0, bAtMax = 0.0;
    for (double round : {1.2, 1.5, 2.0, 3.0, 5.0, 10.0, 30.0, 100.0, 1000.0}) {
        b = round;
        const RowShape s = rowShape(r, 0.0, 0.0, b);
        EXPECT_GT(b, round);  // a share of the union is smaller than its circle
        EXPECT_NEAR(rowArea(b, 1.0, 10), kPi * round * round, 1e-9 * round * round);
        EXPECT_GE(s.lineWeight, 0.0);
        EXPECT_LT(s.lineWeight, 1.0);
        if (s.lineWeight > wMax) {
            wMax = s.lineWeight;
            bAtMax = round;
        }
    }
    EXPECT_GT(wMax, 0.5);
    EXPECT_GT(bAtMax, 1.2);
    EXPECT_LT(bAtMax, 100.0);
    b = 1e5;
    EXPECT_LT(rowShape(r, 0.0, 0.0, b).lineWeight, 0.01);
}

TEST(RowGeometry, ProjectedWidthFromTheFirstTouchToAWallAndAFile) {
    // At the first touch W = 2b whatever the angles.
    for (double psi : {0.0, 30.0, 90.0, 135.0})
        for (const auto& e : std::vector<std::array<double, 3>>{{0.0, 0.0, 1.0}, {0.6, 0.0, 0.8}, {0.0, 0.6, 0.8}}) {
            const PortRow r = row(20, 3.0, psi);
            const double a = halfGap(r, e[0], e[1]);
            double b = a * (1.0 + 1e-10);
            const RowShape s = rowShape(r, e[0], e[1], b);
            const double sinPsi = std::sqrt(1.0 - e[0] * e[0]);
            EXPECT_NEAR(projectedWidth(r, s, b, e[0], e[1], sinPsi) / (2.0 * b), 1.0, 1e-4)
                << "psi " << psi << " e " << e[0] << " " << e[1];
        }
    // Vertical plumes far wider than the gap of a long row: a wall across the
    // current presents the gap 2a = s per port, a file along it 2b/N.
    const int n = 100000;
    double b = 5.0;
    const PortRow across = row(n, 1.0, 90.0);
    const RowShape wall = rowShape(across, 0.0, 0.0, b);
    EXPECT_NEAR(projectedWidth(across, wall, b, 0.0, 0.0, 1.0), 1.0, 1e-2);
    b = 1e7;
    const PortRow along = row(n, 1.0, 0.0);
    const RowShape file = rowShape(along, 0.0, 0.0, b);
    const double width = projectedWidth(along, file, b, 0.0, 0.0, 1.0);
    EXPECT_NEAR(width / (2.0 * b / n), 1.0, 0.05);
}

TEST(RowGeometry, CentrelineAndForcedCoefficientsFollowTheLineWeight) {
    EXPECT_EQ(centrelineFactor(0.0), kCentrelineFactor);  // the round value, bit for bit
    EXPECT_NEAR(centrelineFactor(1.0), std::sqrt((1.0 + kLambda * kLambda) / (kLambda * kLambda)), 1e-12);
    EXPECT_NEAR(centrelineFactor(0.5), 0.5 * (1.47 + 1.3017), 1e-4);
    EXPECT_EQ(forcedCoefficient(0.0), 1.0);
    EXPECT_NEAR(forcedCoefficient(1.0), 0.70, 1e-12);
}
