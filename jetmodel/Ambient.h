// The ambient water column: density and current speed against depth.
#pragma once

#include <vector>

namespace mardex {

struct ProfileRow {
  double depth = 0;        // m below the surface, increasing down the table
  double value = 0;        // density (g/mL) when temperature is 0, else salinity (ppt)
  double temperature = 0;  // deg C
  double current = 0;      // m/s
};

// Density (kg/m^3) and current speed (m/s) by linear interpolation in depth
// between the rows, constant beyond the first and the last row.
class Ambient {
public:
  Ambient() = default;
  // Rows must be non-empty with non-decreasing depths (the caller checks).
  explicit Ambient(const std::vector<ProfileRow>& rows);

  bool empty() const { return depth_.empty(); }
  double density(double depth) const { return interpolate(rho_, depth); }
  double current(double depth) const { return interpolate(u_, depth); }
  // Deepest profile depth (m).
  double deepest() const { return depth_.empty() ? 0.0 : depth_.back(); }

private:
  double interpolate(const std::vector<double>& v, double depth) const;

  std::vector<double> depth_;
  std::vector<double> rho_;
  std::vector<double> u_;
};

}  // namespace mardex
