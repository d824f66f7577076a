#include "ciecam02.h"

#include <cmath>

namespace {

constexpr double adaptingLuminance = 100;
constexpr double backgroundY = 20;
constexpr double whiteY = 100;
constexpr double surroundC = 0.69;
constexpr double chromaticInduction = 1.0; // N_c

constexpr double cat02[3][3] = {
    {0.7328, 0.4296, -0.1624}, {-0.7036, 1.6975, 0.0061}, {0.0030, 0.0136, 0.9834}};
constexpr double hunterPointerEstevez[3][3] = {
    {0.38971, 0.68898, -0.07868}, {-0.22981, 1.18340, 0.04641}, {0.0, 0.0, 1.0}};

void multiply(const double (&m)[3][3], const double* in, double* out)
{
    for (int r = 0; r < 3; ++r)
        out[r] = m[r][0] * in[0] + m[r][1] * in[1] + m[r][2] * in[2];
}

// The viewing conditions are fixed, so everything they decide is taken once.
struct Conditions
{
    double luminanceAdaptation; // F_L
    double inductionFactor;     // N_bb = N_cb
    double exponent;            // c·z
    double chromaFactor;        // (1.64 − 0.29^n)^0.73
    double colourfulnessFactor; // F_L^0.25
    double coneFromCat[3][3];   // M_HPE · M_CAT02⁻¹

    Conditions()
    {
        const double k = 1 / (5 * adaptingLuminance + 1);
        const double k4 = k * k * k * k;
        luminanceAdaptation = 0.2 * k4 * (5 * adaptingLuminance) +
                              0.1 * (1 - k4) * (1 - k4) * std::cbrt(5 * adaptingLuminance);
        const double n = backgroundY / whiteY;
        inductionFactor = 0.725 * std::pow(1 / n, 0.2);
        exponent = surroundC * (1.48 + std::sqrt(n));
        chromaFactor = std::pow(1.64 - std::pow(0.29, n), 0.73);
        colourfulnessFactor = std::pow(luminanceAdaptation, 0.25);

        const auto& m = cat02;
        const double det = m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) -
                           m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
                           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
        double inverse[3][3];
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c) {
                // Cofactor of (c, r), the transposed position.
                const int r1 = (c + 1) % 3, r2 = (c + 2) % 3, c1 = (r + 1) % 3, c2 = (r + 2) % 3;
                inverse[r][c] = (m[r1][c1] * m[r2][c2] - m[r1][c2] * m[r2][c1]) / det;
            }
        for (int r = 0; r < 3; ++r)
            for (int c = 0; c < 3; ++c)
                coneFromCat[r][c] = hunterPointerEstevez[r][0] * inverse[0][c] +
                                    hunterPointerEstevez[r][1] * inverse[1][c] +
                                    hunterPointerEstevez[r][2] * inverse[2][c];
    }
};

const Conditions& conditions()
{
    static const Conditions c;
    return c;
}

// Post-adaptation cone responses of adapted CAT02 signals; the compression
// keeps the sign of a negative signal.
void coneResponses(const Conditions& c, const double* adapted, double* response)
{
    double cone[3];
    multiply(c.coneFromCat, adapted, cone);
    for (int i = 0; i < 3; ++i) {
        const double p = std::pow(c.luminanceAdaptation * std::abs(cone[i]) / 100, 0.42);
        response[i] = std::copysign(400 * p / (p + 27.13), cone[i]) + 0.1;
    }
}

double achromaticResponse(const Conditions& c, const double* response)
{
    return (2 * response[0] + response[1] + response[2] / 20 - 0.305) * c.inductionFactor;
}

} // namespace

CamWhite camWhite(const double* xyz)
{
    const Conditions& c = conditions();
    CamWhite white;
    double rgb[3], adapted[3], response[3];
    multiply(cat02, xyz, rgb);
    for (int i = 0; i < 3; ++i) {
        white.gain[i] = whiteY / rgb[i];
        adapted[i] = white.gain[i] * rgb[i];
    }
    coneResponses(c, adapted, response);
    white.achromatic = achromaticResponse(c, response);
    return white;
}

UcsColor cam02Ucs(const CamWhite& white, const double* xyz)
{
    const Conditions& c = conditions();
    double rgb[3], response[3];
    multiply(cat02, xyz, rgb);
    for (int i = 0; i < 3; ++i)
        rgb[i] *= white.gain[i];
    coneResponses(c, rgb, response);

    const double a = response[0] - 12 * response[1] / 11 + response[2] / 11;
    const double b = (response[0] + response[1] - 2 * response[2]) / 9;
    const double h = std::atan2(b, a);
    const double J = 100 * std::pow(achromaticResponse(c, response) / white.achromatic, c.exponent);
    const double eccentricity = 0.25 * (std::cos(h + 2) + 3.8);
    const double t = 50000.0 / 13 * chromaticInduction * c.inductionFactor * eccentricity *
                     std::hypot(a, b) / (response[0] + response[1] + 21.0 / 20 * response[2]);
    const double C = std::pow(t, 0.9) * std::sqrt(J / 100) * c.chromaFactor;
    const double M = C * c.colourfulnessFactor;

    const double Mp = std::log1p(0.0228 * M) / 0.0228;
    return {1.7 * J / (1 + 0.007 * J), Mp * std::cos(h), Mp * std::sin(h)};
}
