#include "colorrendering.h"

#include "cietables.h"
#include "spectralgrid.h"
#include "tristimulus.h"

#include <algorithm>
#include <cmath>

namespace {

double adaptationC(double u, double v)
{
    return (4 - u - 10 * v) / v;
}

double adaptationD(double u, double v)
{
    return (1.708 * v + 0.404 - 1.481 * u) / v;
}

struct SampleSums
{
    double X[testColorSampleCount], Y[testColorSampleCount], Z[testColorSampleCount];
    double normalisation; // Σ S·ȳ
};

// Sums of the illuminant and of each sample under it. On the 1-nm grid each
// sample's 5-nm value holds over the 5 nm that start at it; on the 10-nm grid
// every product carries a factor 10 (it cancels).
template <int Step>
void sumSamples(const double* S, int n, const double (*cmf)[measurementCount], SampleSums& sums)
{
    constexpr double factor = Step == 1 ? 1 : 10;
    const auto entry = [](int k) { return Step == 1 ? k / 5 : 2 * k; };
    double norm = 0;
    for (int k = 0; k < n; ++k)
        norm += S[k] * cmf[1][Step * k] * factor;
    sums.normalisation = norm;
    for (int j = 0; j < testColorSampleCount; ++j) {
        double X = 0, Y = 0, Z = 0;
        for (int k = 0; k < n; ++k) {
            const double p = S[k] * testColorSamples[j][entry(k)];
            X += p * cmf[0][Step * k] * factor;
            Y += p * cmf[1][Step * k] * factor;
            Z += p * cmf[2][Step * k] * factor;
        }
        sums.X[j] = X;
        sums.Y[j] = Y;
        sums.Z[j] = Z;
    }
}

// Scale to Y = 100 for the illuminant, adapt, and express in U*V*W*.
// zeroDenominator replaces a zero X + 15Y + 3Z (the test side keeps a black
// sample from dividing by zero; the reference side has no guard).
void toUVW(const SampleSums& sums, double uk, double vk, double cr, double dr, double ur, double vr,
           double zeroDenominator, double* U, double* V, double* W)
{
    const double F = 100 / sums.normalisation;
    const double ck = adaptationC(uk, vk);
    const double dk = adaptationD(uk, vk);
    for (int j = 0; j < testColorSampleCount; ++j) {
        const double X = sums.X[j] * F;
        const double Y = sums.Y[j] * F;
        const double Z = sums.Z[j] * F;
        double denominator = X + 15 * Y + 3 * Z;
        if (denominator == 0)
            denominator = zeroDenominator;
        const double u = 4 * X / denominator;
        const double v = 6 * Y / denominator;
        const double c = adaptationC(u, v) * (cr / ck);
        const double d = adaptationD(u, v) * (dr / dk);
        const double N = 16.518 + 1.481 * c - d;
        const double uAdapted = (10.872 + 0.404 * c - 4 * d) / N;
        const double vAdapted = 5.520 / N;
        W[j] = 25 * std::cbrt(Y) - 17;
        U[j] = 13 * W[j] * (uAdapted - ur);
        V[j] = 13 * W[j] * (vAdapted - vr);
    }
}

const double (*currentCmf())[measurementCount]
{
    return currentObserver == 0 ? cmf2Deg : cmf10Deg;
}

} // namespace

void daylightSpectrum10nm(double T, double* spectrum)
{
    const double xD = T <= 7000 ? -4.607 * (1e9 / (T * T * T)) + 2.9678 * (1e6 / (T * T)) +
                                      0.09911 * (1000 / T) + 0.244063
                                : -2.0064 * (1e9 / (T * T * T)) + 1.9018 * (1e6 / (T * T)) +
                                      0.24748 * (1000 / T) + 0.23704;
    const double yD = -3.0 * xD * xD + 2.87 * xD - 0.275;
    const double M = 0.0241 + 0.2562 * xD - 0.7341 * yD;
    const double M1 = (-1.3515 - 1.7703 * xD + 5.9114 * yD) / M;
    const double M2 = (0.03 - 31.4424 * xD + 30.0717 * yD) / M;
    for (int k = 0; k < tenNmCount; ++k)
        spectrum[k] = daylightS0[k] + M1 * daylightS1[k] + M2 * daylightS2[k];
}

void daylightSpectrum(double T, double* spectrum)
{
    double S10[tenNmCount];
    daylightSpectrum10nm(T, S10);
    for (int i = 0; i < measurementCount; ++i) {
        const int k = i / 10, m = i % 10;
        spectrum[i] = m == 0 ? S10[k] : S10[k] + (S10[k + 1] - S10[k]) * m / 10.0;
    }
}

void calculateReferenceIlluminant(double T, double* ur, double* vr, double* cr, double* dr,
                                  double* U, double* V, double* W)
{
    // Daylight is interpolated to the 1-nm grid so that the reference sees the
    // same held sample values as the test side.
    double S[measurementCount];
    if (T <= 5000)
        planckianSpectrum(T, measurementCount, S, planckC1Reference);
    else
        daylightSpectrum(T, S);

    double X, Y, Z;
    calculateTristimulus(S, measurementCount, &X, &Y, &Z);
    chromaticityUV(X, Y, Z, ur, vr);
    *cr = adaptationC(*ur, *vr);
    *dr = adaptationD(*ur, *vr);
    calculateSampleUVW(S, measurementCount, *ur, *vr, *cr, *dr, *ur, *vr, U, V, W);
}

void calculateSampleUVW(const double* spectrum, int count, double uk, double vk, double cr,
                        double dr, double ur, double vr, double* U, double* V, double* W)
{
    SampleSums sums;
    if (count == measurementCount)
        sumSamples<1>(spectrum, measurementCount, currentCmf(), sums);
    else if (count == tenNmCount)
        sumSamples<10>(spectrum, tenNmCount, currentCmf(), sums);
    else
        return;
    toUVW(sums, uk, vk, cr, dr, ur, vr, 0, U, V, W);
}

void calculateTestSampleUVW(const double* spectrum, int dataCount, double u, double v, double ur,
                            double vr, double cr, double dr, double* U, double* V, double* W)
{
    SampleSums sums;
    sumSamples<1>(spectrum, std::clamp(dataCount, 0, measurementCount), cmf2Deg, sums);
    toUVW(sums, u, v, cr, dr, ur, vr, 1e-05, U, V, W);
}
