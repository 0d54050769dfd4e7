#include "Density.h"

namespace mardex {

double sigmaT(double S, double T)
{
  const double sigma0 = ((6.8e-6 * S - 0.000482) * S + 0.8149) * S - 0.093;
  const double At = 0.001 * T * ((0.0010843 * T - 0.09818) * T + 4.7867);
  const double Bt = 1e-6 * T * ((0.01667 * T - 0.8164) * T + 18.03);
  const double SigmaT = (T - 3.98) * (T - 3.98) * (T + 283.0) / ((T + 67.26) * 503.57);
  return (sigma0 + 0.1324) * ((1.0 - At) + (sigma0 - 0.1324) * Bt) - SigmaT;
}

double densityKgM3(double value, double T)
{
  if (T == 0.0)
    return value * 1000.0;  // g/mL -> kg/m^3
  return 1000.0 + sigmaT(value, T);
}

}  // namespace mardex
