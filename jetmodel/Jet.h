// One jet from input to results: the checks, the source quantities, the
// trajectory and its output rows.
#pragma once

#include "Integrator.h"
#include "JetInput.h"
#include "SourceQuantities.h"

#include <array>
#include <string>
#include <vector>

namespace mardex {

// The twelve numbers of a "Plxdata" row, in column order.
struct OutputRow {
  enum Column {
    X,
    Y,
    Z,
    Radius,
    HAngle,
    VAngle,
    Speed,
    Thickness,
    Time,
    CMax,
    CAvg,
    Dilution,
    Count
  };
  std::array<double, Count> col{};
  double operator[](int i) const { return col[static_cast<std::size_t>(i)]; }
};

struct JetResult {
  std::string rejection;       // non-empty: the jet was rejected with this reason
  double effluentDensity = 0;  // rho_0 (kg/m^3)
  double ambientDensity = 0;   // rho_a0 at the port (kg/m^3)
  SourceQuantities source;
  Setting setting;
  Ambient ambient;  // kept alive for setting.ambient
  Trajectory trajectory;
  std::vector<OutputRow> rows;  // one per trajectory point

  bool rejected() const { return !rejection.empty(); }
  // Centreline dilution S_c = max(1, S/K_c) and average dilution S of the last row.
  double centrelineDilution() const;
  double averageDilution() const;

  JetResult() = default;
  JetResult(const JetResult& o) { *this = o; }
  JetResult& operator=(const JetResult& o);
};

JetResult computeJet(const JetInput& jet, const IntegratorOptions& options = {});

// The output columns of every point: display cap on b, the thickness as the
// arc length to the next row, the unsigned horizontal angle.
std::vector<OutputRow> outputRows(const Trajectory& t, double dischargeHorizontalAngleDeg);

// Horizontal angle in 0..180 degrees of the axis projection; a vertical axis
// takes the discharge's horizontal angle folded into 0..180.
double unsignedHorizontalAngle(double ex, double ey, double dischargeDeg);

}  // namespace mardex
