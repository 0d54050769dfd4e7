// A row of ports whose neighbouring plumes merge (Row.h), run whole: the
// line plume of a long row of close ports in still stratified water (Roberts,
// Snyder & Baumgartner 1989: S_m q N / b^(2/3) = 0.86) and in a strong current
// across it (Roberts 1979: S_m q / (u H) = 0.58); the independence of the row's
// orientation; the step; and the summary lines. Figures in the expectations
// are those of an independent prototype of the same equations.
#include "JetTestSupport.h"
#include "SuspendWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace jettest;
using mardex::OutputRow;
using mardex::StopReason;
namespace fs = std::filesystem;

namespace {

// "P80": N = 0.02 1/s over 100 m, the port at 80 m, still water.
std::vector<mardex::ProfileRow> stratified80() { return {{0.0, 1.0220000, 0.0, 0.0}, {100.0, 1.0261672, 0.0, 0.0}}; }

// Ports of 0.05 m with 0.002 m^3/s of fresh water each, in a row of n spaced s
// along the axis psi.
JetInput rowJet(double phi, double theta, double depth, std::vector<mardex::ProfileRow> profile, double Ua, int n,
                double s, double psi) {
    const double D = 0.05, Q = 0.002;
    JetInput j = makeJet(D, 4.0 * Q / (kPi * D * D), 1000.0, phi, theta, depth, std::move(profile), Ua);
    j.flow = Q;
    j.ports = n;
    j.portSpacing = s;
    j.rowAxis = psi;
    return j;
}

// The close vertical ports of the stagnant stratified case (s N / b^(1/3) = 0.04).
JetInput stagnantLinePlume() { return rowJet(90.0, 0.0, 80.0, stratified80(), 0.0, 100000, 0.2, 90.0); }

// The unstratified 20 m case across a current of speed U (F = u^3 q / b).
JetInput linePlumeInCurrent(double U) {
    return rowJet(90.0, 0.0, 20.0, uniformProfile(1025.0, 200.0, U), U, 400, 0.5, 90.0);
}

double lastZ(const JetResult& r) { return r.rows.back()[OutputRow::Z]; }

std::string suspendPage(const JetInput& j, const JetResult& r) {
    std::string page;
    mardex::appendSuspendPage(page, 1, j, r);
    return page;
}

}  // namespace

// Still stratified water, 100000 ports 0.2 m apart: a line plume whose
// centreline dilution at the trap level is 0.837 b^(2/3)/(q N) against RSB's
// 0.86.
TEST(RowMerging, StagnantStratifiedLinePlume) {
    const JetInput j = stagnantLinePlume();
    const JetResult r = computeJet(j);
    ASSERT_FALSE(r.rejected());
    EXPECT_EQ(r.trajectory.reason, StopReason::TerminalLevel);
    expectWithin(r.centrelineDilution(), 75.49, 0.03, "S_m");
    expectWithin(r.averageDilution(), 98.48, 0.03, "S_b");
    expectWithin(lastZ(r), 16.92, 0.03, "z at the trap level (m)");
    expectWithin(r.trajectory.riseHeight, 23.91, 0.03, "rise height (m)");
    // RSB's scaling: q = Q/s, buoyancy flux per length b = g'_0 q.
    const double q = j.flow / j.portSpacing, b = r.source.buoyancyFlux / j.portSpacing, N = 0.02;
    expectWithin(r.centrelineDilution() * q * N / std::pow(b, 2.0 / 3.0), 0.86, 0.05, "S_m q N / b^(2/3) (RSB 0.86)");
    // The same ports alone dilute more than twice as much (no neighbours).
    JetInput alone = j;
    alone.ports = 1;
    alone.portSpacing = 0.0;
    EXPECT_GT(computeJet(alone).centrelineDilution(), 2.0 * r.centrelineDilution());
}

namespace {

// Slope of y against x by least squares (with an intercept: the line plume's
// virtual origin lies away from the ports).
double slopeOf(const std::vector<double>& x, const std::vector<double>& y) {
    double sx = 0, sy = 0, sxx = 0, sxy = 0;
    const double n = static_cast<double>(x.size());
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx += x[i];
        sy += y[i];
        sxx += x[i] * x[i];
        sxy += x[i] * y[i];
    }
    return (n * sxy - sx * sy) / (n * sxx - sx * sx);
}

}  // namespace

// A long row of close ports in still unstratified water is a pure line plume
// from 20 to 100 spacings up: it spreads at db/dz = alpha = 0.11 +- 15 %
// (Richardson & Hunt 2022, J. Fluid Mech.) and dilutes as
// S q = (2 alpha)^(2/3) b^(1/3) z = 0.36 b^(1/3) z (0.34, Fischer et al. 1979).
// The merged element's own round-plume closure acting on two faces gives
// this without a coefficient of its own.
TEST(RowMerging, LinePlumeInStillUniformWater) {
    for (double s : {0.2, 0.5}) {
        const double depth = 200.0 * s;
        const JetInput j = rowJet(90.0, 0.0, depth, uniformProfile(1025.0, depth + 100.0), 0.0, 100000, s, 90.0);
        const JetResult r = computeJet(j);
        ASSERT_EQ(r.trajectory.reason, StopReason::Surface);
        std::vector<double> z, b, S;
        for (const auto& p : r.trajectory.points) {
            const double h = p.state[mardex::State::Z];
            if (h < 20.0 * s || h > 100.0 * s) continue;
            z.push_back(h);
            b.push_back(p.derived.radius);
            S.push_back(p.derived.dilution);
        }
        ASSERT_GT(z.size(), 50u);
        const double q = j.flow / s, flux = r.source.buoyancyFlux / s;
        expectWithin(slopeOf(z, b), 0.11, 0.15, "line plume db/dz (0.11 +- 15 %)");
        expectWithin(slopeOf(z, S) * q / std::cbrt(flux), 0.364, 0.08, "S q / (b^(1/3) z) (0.36)");
    }
}

// A row much shorter than the height the plume rises becomes one round plume
// carrying the flow of all its ports: dilution within 5 % of one port with N Q
// and the same exit velocity, 400 m up.
TEST(RowMerging, ShortRowTendsToOneRoundPlumeOfAllItsPorts) {
    for (int n : {2, 4, 10}) {
        const auto port = [&](double D, double Q, int ports, double s) {
            JetInput j = rowJet(90.0, 0.0, 400.0, uniformProfile(1025.0, 500.0), 0.0, ports, s, 90.0);
            j.diameter = D;
            j.flow = Q;
            return computeJet(j);
        };
        const JetResult row = port(0.1, 0.01, n, 1.0), one = port(0.1 * std::sqrt(n), 0.01 * n, 1, 0.0);
        ASSERT_EQ(row.trajectory.reason, StopReason::Surface);
        const double ratio = row.averageDilution() / one.averageDilution();
        std::printf("  N %2d: S of the row / S of one port with N Q = %.4f\n", n, ratio);
        EXPECT_GE(ratio, 1.0) << n;
        EXPECT_LE(ratio, 1.05) << n;
    }
}

// A strong current across the row, unstratified 20 m: the calibration point
// S_m q/(u H) = 0.58 (Roberts 1979) at F = 10 and 100.
TEST(RowMerging, LinePlumeInAStrongPerpendicularCurrent) {
    const struct { double U, Sm; } cases[] = {{0.212316, 627.0}, {0.457420, 1359.4}};
    for (const auto& c : cases) {
        const JetInput j = linePlumeInCurrent(c.U);
        const JetResult r = computeJet(j);
        ASSERT_FALSE(r.rejected());
        EXPECT_EQ(r.trajectory.reason, StopReason::Surface) << c.U;
        expectWithin(r.centrelineDilution(), c.Sm, 0.05, "S_m");
        const double q = j.flow / j.portSpacing;
        expectWithin(r.centrelineDilution() * q / (c.U * 20.0), 0.59, 0.08, "S_m q/(u H) (Roberts 0.58)");
    }
}

// Horizontal ports normal to the row: the result does not depend on which way
// the row's axis is written, nor on turning the whole case about the vertical;
// theta and psi of opposite signs mirror.
TEST(RowMerging, OrientationOfTheRowAndMirrorImages) {
    const auto run = [](double theta, double psi) {
        return computeJet(rowJet(0.0, theta, 80.0, stratified80(), 0.0, 100000, 1.0, psi));
    };
    const JetResult ref = run(0.0, 90.0);
    ASSERT_FALSE(ref.rejected());
    expectWithin(ref.centrelineDilution(), 129.78, 0.03, "S_m");
    expectWithin(lastZ(ref), 9.162, 0.03, "z at the trap level (m)");
    for (const auto& tp : {std::pair<double, double>{0.0, 270.0}, {90.0, 0.0}, {30.0, 120.0}}) {
        const JetResult r = run(tp.first, tp.second);
        EXPECT_NEAR(r.centrelineDilution() / ref.centrelineDilution(), 1.0, 1e-9) << tp.first << " " << tp.second;
        EXPECT_NEAR(lastZ(r) / lastZ(ref), 1.0, 1e-9) << tp.first << " " << tp.second;
    }
    const JetResult plus = run(30.0, 120.0), minus = run(-30.0, -120.0);
    ASSERT_EQ(plus.rows.size(), minus.rows.size());
    for (std::size_t i = 0; i < plus.rows.size(); ++i) {
        EXPECT_EQ(plus.rows[i][OutputRow::Y], -minus.rows[i][OutputRow::Y]) << i;
        EXPECT_EQ(plus.rows[i][OutputRow::X], minus.rows[i][OutputRow::X]) << i;
        EXPECT_EQ(plus.rows[i][OutputRow::Dilution], minus.rows[i][OutputRow::Dilution]) << i;
    }
}

// Halving the step moves the end row by less than 1 %.
TEST(RowMerging, HalvingTheStepChangesTheEndRowLessThanOnePercent) {
    mardex::IntegratorOptions half;
    half.stepFactor = 0.05;
    for (const JetInput& j : {stagnantLinePlume(), linePlumeInCurrent(0.212316)}) {
        const JetResult a = computeJet(j), b = computeJet(j, half);
        for (int c : {OutputRow::X, OutputRow::Z, OutputRow::Radius, OutputRow::CMax, OutputRow::Dilution})
            if (a.rows.back()[c] != 0.0) {
                EXPECT_NEAR(b.rows.back()[c] / a.rows.back()[c], 1.0, 0.01) << "column " << c + 1;
            }
    }
}

// A row of plumes that never touch computes exactly as one port alone; the
// summary says so.
TEST(RowMerging, WidelySpacedPortsComputeAsOnePortAlone) {
    JetInput j =
        makeJet(0.1, 4.0 * 0.0138 / (kPi * 0.01), 1000.0, 90.0, 0.0, 20.0, {{0.0, 1.0246, 0, 0}, {60.0, 1.0246, 0, 0}});
    j.flow = 0.0138;
    JetInput row = j;
    row.ports = 50;
    row.portSpacing = 30.0;
    row.rowAxis = 90.0;
    const JetResult alone = computeJet(j), inRow = computeJet(row);
    ASSERT_EQ(alone.rows.size(), inRow.rows.size());
    for (std::size_t i = 0; i < alone.rows.size(); ++i)
        for (int c = 0; c < OutputRow::Count; ++c) ASSERT_EQ(alone.rows[i][c], inRow.rows[i][c]) << i << " " << c;
    const std::string page = suspendPage(row, inRow);
    EXPECT_NE(page.find("\r\n PORT ROW: N = 50, SPACING = 30.0000 M, AXIS = 90.00 DEG\r\n PLUMES DO NOT MERGE\r\n"),
              std::string::npos)
        << page;
    EXPECT_EQ(suspendPage(j, alone).find("PORT ROW"), std::string::npos);
}

// The summary lines of a merged row, after the lines every page has.
TEST(RowMerging, SummaryLinesOfAMergedRow) {
    const JetInput j = stagnantLinePlume();
    const JetResult r = computeJet(j);
    const std::string page = suspendPage(j, r);
    const std::size_t row = page.find("\r\n PORT ROW: N = 100000, SPACING = 0.2000 M, AXIS = 90.00 DEG\r\n");
    ASSERT_NE(row, std::string::npos) << page;
    EXPECT_GT(row, page.find(" TRAVEL TIME (S)"));
    const std::size_t merge = page.find("\r\n PLUMES MERGE AT S = ", row);
    ASSERT_NE(merge, std::string::npos) << page;
    double s = 0, x = 0, z = 0, S = 0;
    ASSERT_EQ(std::sscanf(page.c_str() + merge, "\r\n PLUMES MERGE AT S = %lf M, X = %lf M, Z = %lf M, DILUTION = %lf",
                          &s, &x, &z, &S),
              4);
    // Vertical ports 0.2 m apart touch when b = 0.1 m: a pure jet has b = 0.16 z + D/2.
    EXPECT_GT(z, 0.2);
    EXPECT_LT(z, 1.0);
    EXPECT_EQ(x, 0.0);
    EXPECT_GT(S, 1.0);
    EXPECT_LT(S, 10.0);
    double across = 0, along = 0;
    const std::size_t field = page.find("\r\n MERGED FIELD AT END: HALF WIDTH ACROSS = ", merge);
    ASSERT_NE(field, std::string::npos);
    ASSERT_EQ(std::sscanf(page.c_str() + field,
                          "\r\n MERGED FIELD AT END: HALF WIDTH ACROSS = %lf M, HALF LENGTH ALONG THE ROW = %lf M",
                          &across, &along),
              2);
    EXPECT_NEAR(across, r.rows.back()[OutputRow::Radius], 1e-4);
    EXPECT_NEAR(along, 0.5 * 99999 * 0.2 + across, 1e-3);
    // Every line of the page but its start begins with a blank; none of the
    // new ones looks like a page start or a stop line.
    for (std::size_t p = page.find("\r\n"); p + 2 < page.size(); p = page.find("\r\n", p + 2))
        EXPECT_EQ(page[p + 2], ' ') << page.substr(p + 2, 40);
    EXPECT_EQ(page.find("COMPUTATIONS CEASE", row), std::string::npos);
}

// The rows of the merged run keep the layout: 120 characters of 12 fields,
// c.max with the line plume's centreline factor.
TEST(RowMerging, PlxdataRowsOfAMergedRun) {
    const fs::path dir = freshDirectory("merged-rows");
    ASSERT_FALSE(dir.empty());
    const JetInput j = stagnantLinePlume();
    writeText(dir / "UDF", udfBlock(j));
    ASSERT_EQ(runBinary(dir), 0) << readText(dir / "stderr.txt");
    const std::string text = readText(dir / "Plxdata");
    std::size_t lines = 0, start = 0;
    for (std::size_t e = text.find("\r\n"); e != std::string::npos; start = e + 2, e = text.find("\r\n", start))
        if (++lines > 2) {
            EXPECT_EQ(e - start, 120u) << "line " << lines;
        }
    const JetResult r = computeJet(j);
    EXPECT_EQ(lines, r.rows.size() + 2);
    const double cMax = r.rows.back()[OutputRow::CMax], c = r.rows.back()[OutputRow::CAvg];
    EXPECT_LT(cMax / c, 1.47);  // merged: between the line plume's 1.302 and the round 1.47
    EXPECT_GT(cMax / c, 1.30);
    fs::remove_all(dir);
}
