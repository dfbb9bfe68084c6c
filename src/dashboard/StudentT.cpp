#include "StudentT.h"

#include <cmath>

namespace XQTestDev::dashboard {

namespace {

// The continued fraction of the regularized incomplete beta function
// (modified Lentz), which converges fast for x < (a + 1) / (a + b + 2).
double betaFraction(double a, double b, double x) {
    constexpr int MostSteps = 300;
    constexpr double Epsilon = 1e-15;
    constexpr double Tiny = 1e-300;
    double c = 1.0;
    double d = 1.0 - (a + b) * x / (a + 1.0);
    d = 1.0 / (std::fabs(d) < Tiny ? Tiny : d);
    double fraction = d;
    for (int m = 1; m <= MostSteps; ++m) {
        const double m2 = 2.0 * m;
        double step = m * (b - m) * x / ((a + m2 - 1.0) * (a + m2));
        for (int half = 0; half < 2; ++half) {
            d = 1.0 + step * d;
            d = 1.0 / (std::fabs(d) < Tiny ? Tiny : d);
            c = 1.0 + step / c;
            c = std::fabs(c) < Tiny ? Tiny : c;
            fraction *= d * c;
            step = -(a + m) * (a + b + m) * x / ((a + m2) * (a + m2 + 1.0));
        }
        if (std::fabs(d * c - 1.0) < Epsilon)
            break;
    }
    return fraction;
}

// I_x(a, b), the regularized incomplete beta function.
double incompleteBeta(double a, double b, double x) {
    if (x <= 0.0)
        return 0.0;
    if (x >= 1.0)
        return 1.0;
    const double front = std::exp(std::lgamma(a + b) - std::lgamma(a) - std::lgamma(b) +
                                  a * std::log(x) + b * std::log1p(-x));
    if (x < (a + 1.0) / (a + b + 2.0))
        return front * betaFraction(a, b, x) / a;
    return 1.0 - front * betaFraction(b, a, 1.0 - x) / b;
}

} // namespace

double twoSidedPValue(double t, double degrees) {
    if (!std::isfinite(t) || !std::isfinite(degrees) || degrees <= 0.0)
        return 1.0;
    return incompleteBeta(degrees / 2.0, 0.5, degrees / (degrees + t * t));
}

} // namespace XQTestDev::dashboard
