#include "farfield/SpreadingLaw.h"

#include <cmath>

double BrooksBeta(double alpha, double width, double current) {
    const double eps0 = alpha * std::pow(width, 4.0 / 3.0);
    return 12.0 * eps0 / (current * width);
}

double BrooksCentrelineDilution(double betaXOverWidth) {
    if (!(betaXOverWidth > 0.0)) return 1.0;
    const double a = (2.0 / 3.0) * betaXOverWidth;
    // (1 + a)^3 - 1 without the loss of digits of a small a.
    const double grown = a * (3.0 + a * (3.0 + a));
    const double u = std::sqrt(1.5 / grown);
    // For a small argument erf(u) ~ 2u/sqrt(pi) (1 - u^2/3): the series
    // keeps the digits that erf(u) itself rounds away far downstream.
    if (u < 1e-4) return std::sqrt(M_PI) / (2.0 * u) / (1.0 - u * u / 3.0);
    return 1.0 / std::erf(u);
}
