// Density of sea water and effluent.
#pragma once

namespace mardex {

// sigma-t of sea water from salinity S (ppt) and temperature T (deg C) by the
// Knudsen-Ekman relation (Knudsen 1901, Ekman 1908), the same relation the
// Plumex program uses for its own profile checks.
double sigmaT(double salinityPpt, double temperatureC);

// Density in kg/m^3 of a profile row or of the effluent as the UDF gives it:
// when T is 0 the value is the density in g/mL; otherwise the value is the
// salinity in ppt and the density follows from sigmaT.
double densityKgM3(double valueDensityOrSalinity, double temperatureC);

}  // namespace mardex
