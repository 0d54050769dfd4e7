// Stop rules of a jet, tested in the order of the enumeration.
#pragma once

#include "Constants.h"
#include "Element.h"

namespace mardex {

enum class StopReason {
  None,
  Surface,        // 1. upper edge reached the surface
  Bed,            // 2. sinking, lower edge reached the bed
  TerminalLevel,  // 3. back at neutral buoyancy after the vertical velocity turned
  MaxSteps,       // 4. the row cap of UDF line 5
  Vanished,       // 5. speed below 1e-6 m/s or a number not finite
  Beyond800m,     // continuous mode: horizontal distance beyond 800 m
};

// The text written after "COMPUTATIONS CEASE: ".
const char* stopText(StopReason reason);

// Rule 1 measure: z + b cos(phi) - H_p; the rule holds when it is >= 0.
double surfaceGap(const State& s, const Derived& d, const Setting& where);
// Rule 2 measure: z_bed - (z - b cos(phi)); the rule holds when it is >= 0
// and the element sinks (w < 0).
double bedGap(const State& s, const Derived& d, const Setting& where);
// w < 0 and real: below -1e-6 U_j. The vertical velocity of a neutrally
// buoyant horizontal jet is round-off whose sign changes from one step size
// to the next; it is no sinking, as it is no sign change for rule 3.
bool sinking(const Derived& d, const Setting& where);
// Continuous-mode measure: horizontal distance from the port minus 800 m.
double rangeGap(const State& s);
// Rule 3 measure: rho_a - rho.
double buoyancyExcess(const Derived& d);

// Rule 3: arms when the vertical velocity has changed sign at least once; then
// fires at the next sign change of (rho_a - rho). check() looks at the state
// about to be accepted against the states accepted before; accept() records it.
// Only real signs count: |w| > 1e-6 U_j and |rho_a - rho| > 1e-9 rho_a. A
// neutrally buoyant jet whose w and rho_a - rho are round-off has no sign
// and so no terminal level.
class TerminalLevelWatch {
public:
  explicit TerminalLevelWatch(double jetVelocity = 0.0)
      : wFloor_(kRealVerticalVelocity * jetVelocity)
  {}
  bool check(const Derived& d) const;
  void accept(const Derived& d);
  bool armed() const { return armed_; }

private:
  int verticalSign(const Derived& d) const;
  static int excessSign(const Derived& d);

  double wFloor_ = 0;   // a vertical velocity at or below this has no sign (m/s)
  int lastW_ = 0;       // sign of the last real vertical velocity
  int lastExcess_ = 0;  // sign of the last real rho_a - rho
  bool armed_ = false;
};

// Fraction f in (0, 1] of the way from the previous to the current state at
// which a measure crosses zero (previous < 0 <= current); 1 when it does not
// cross between them.
double crossingFraction(double previous, double current);

}  // namespace mardex
