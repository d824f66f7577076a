#include "tristimulus.h"

#include "cietables.h"
#include "spectralgrid.h"

#include <cmath>
#include <limits>

int currentObserver = 0;

namespace {

// Sums spectrum[k] × cmf[first + k·stride] for k = 0 … n-1, in one ascending pass.
void sum(const double* spectrum, int n, int first, int stride, double* X, double* Y, double* Z)
{
    const double(*cmf)[measurementCount] = currentObserver == 0 ? cmf2Deg : cmf10Deg;
    double sx = 0, sy = 0, sz = 0;
    for (int k = 0; k < n; ++k) {
        const int row = first + k * stride;
        sx += spectrum[k] * cmf[0][row];
        sy += spectrum[k] * cmf[1][row];
        sz += spectrum[k] * cmf[2][row];
    }
    *X = sx;
    *Y = sy;
    *Z = sz;
}

// Slope from the white point; the two purple-sector limits are these slopes
// of the 380-nm and 780-nm locus entries.
double slopeFromWhite(double x, double y)
{
    return (y - dominantWhite) / (x - dominantWhite);
}

constexpr double purpleSlope380 = 2.062344518672832;
constexpr double purpleSlope780 = -0.1694834046622369;

// Locus entries where the slope from the white point changes sign, found by
// scanning upward; they split the locus into four arcs.
struct LocusArcs
{
    int i0 = 0, i1 = 0, i2 = 0;
    LocusArcs()
    {
        int b = 0;
        auto slope = [](int i) { return slopeFromWhite(spectralLocusX[i], spectralLocusY[i]); };
        while (b < measurementCount && !(slope(b) <= 0))
            ++b;
        i0 = b;
        for (++b; b < measurementCount && !(slope(b) > 0);)
            ++b;
        i1 = b;
        for (++b; b < measurementCount && !(slope(b) <= 0);)
            ++b;
        i2 = b;
    }
};

} // namespace

void calculateTristimulus(const double* spectrum, int count, double* X, double* Y, double* Z)
{
    switch (count) {
    case measurementCount:
        return sum(spectrum, measurementCount, 0, 1, X, Y, Z);
    case fiveNmCount:
        return sum(spectrum, fiveNmCount, 0, 5, X, Y, Z);
    case tenNmCount:
        return sum(spectrum, tenNmCount, 0, 10, X, Y, Z);
    case 400:
        return sum(spectrum, 400, 0, 1, X, Y, Z);
    case 701:
        return sum(spectrum + 80, measurementCount, 0, 1, X, Y, Z);
    default:
        *X = *Y = *Z = 0;
    }
}

void chromaticityXY(double X, double Y, double Z, double* x, double* y)
{
    // An overflowing sum would give x = y = 0, a point that is not the light's.
    const double sum = X + Y + Z;
    if (sum != 0 && std::isfinite(sum)) {
        *x = X / sum;
        *y = Y / sum;
    }
}

void chromaticityUV(double X, double Y, double Z, double* u, double* v)
{
    const double denominator = X + 15 * Y + 3 * Z;
    if (std::isinf(denominator)) {
        *u = *v = std::numeric_limits<double>::quiet_NaN();
        return;
    }
    *u = 4 * X / denominator;
    *v = 6 * Y / denominator;
}

void chromaticityUV1976(double x, double y, double* uPrime, double* vPrime)
{
    const double denominator = -2 * x + 12 * y + 3;
    if (denominator != 0) {
        *uPrime = 4 * x / denominator;
        *vPrime = 9 * y / denominator;
    }
}

void calculateDominantWavelength(double x, double y, double* lambdaD)
{
    const double dx = x - dominantWhite;
    const double dy = y - dominantWhite;
    if (dy - purpleSlope380 * dx < 0 && dy - purpleSlope780 * dx < 0)
        return;

    static const LocusArcs arcs;
    int first, last;
    if (x <= dominantWhite && y <= dominantWhite) {
        first = 0;
        last = arcs.i0;
    } else if (x <= dominantWhite && y > dominantWhite) {
        first = arcs.i0 + 1;
        last = arcs.i1;
    } else if (x > dominantWhite && y >= dominantWhite) {
        first = arcs.i1 + 1;
        last = arcs.i2;
    } else if (x > dominantWhite && y < dominantWhite) {
        first = arcs.i2 + 1;
        last = measurementCount - 1;
    } else {
        return; // NaN: no quadrant
    }

    const double s = slopeFromWhite(x, y);
    int b = first;
    while (b < last && !(s >= slopeFromWhite(spectralLocusX[b], spectralLocusY[b])))
        ++b;
    *lambdaD = 380 + b;
}
