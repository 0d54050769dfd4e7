// One jet block of the input file "UDF", as read, before any check.
#pragma once

#include "Ambient.h"

#include <string>
#include <vector>

namespace mardex {

struct JetInput {
  std::string name;            // line 1, the whole line without its end
  bool continuous = false;     // line 2, character 30 is '1'
  double flow = 0;             // line 3: Q per port (m^3/s)
  double ports = 1;            // line 3: ports in the row, N (an integer when valid)
  double diameter = 0;         // line 3: D (m)
  double verticalAngle = 0;    // line 3: phi (deg above horizontal)
  double depth = 0;            // line 3: port depth below the surface H_p (m)
  double currentSpeed = 0;     // line 4: mean current of the profile (m/s)
  double horizontalAngle = 0;  // line 4: theta (deg, counter-clockwise from the current)
  double portSpacing = 0;      // line 4, optional: s (m) along the diffuser axis, 0: no row
  double rowAxis = 0;          // line 4, optional: psi_d (deg, counter-clockwise from the current)
  double maxSteps = 1500;      // line 5: cap on the rows written (an integer when valid)
  double effluentValue = 1;    // line 6: density (g/mL) when T0 is 0, else salinity (ppt)
  double effluentTemperature = 0;   // line 6: T0 (deg C)
  std::vector<ProfileRow> profile;  // lines 7
  int firstLine = 0;                // 1-based line number of the name line in the UDF
};

// The reason why a jet whose values parsed cannot be computed, or an
// empty string when it can. Checked in this order: a non-finite value, the
// port depth, the diameter, the flow, the profile, the number of ports, and
// then every remaining range ("Value out of range").
std::string rejectionReason(const JetInput& jet);

}  // namespace mardex
