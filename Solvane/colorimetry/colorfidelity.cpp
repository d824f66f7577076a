#include "colorfidelity.h"

#include "ciecam02.h"
#include "cietables.h"
#include "colorrendering.h"
#include "spectralgrid.h"
#include "spectralmeasures.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double undetermined = std::numeric_limits<double>::quiet_NaN();
constexpr double degree = 3.14159265358979323846 / 180;
constexpr double planckianBelow = 4000;
constexpr double daylightAbove = 5000;

// Fidelity of a colour difference; 100 for none, approaching 0 for large ones.
double fidelity(double deltaE)
{
    return 10 * std::log(std::exp((100 - 6.73 * deltaE) / 10) + 1);
}

// The samples' CAM02-UCS colours under a light scaled to Y10 = 100, which is
// also the adopted white. False when the light has no 10° luminance.
bool sampleColours(const double* S, UcsColor* colours)
{
    double weighted[3][measurementCount];
    double white[3] = {0, 0, 0};
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < measurementCount; ++k) {
            weighted[c][k] = S[k] * cmf10Deg[c][k];
            white[c] += weighted[c][k];
        }
    if (!(white[1] > 0) || !std::isfinite(white[0] + white[1] + white[2]))
        return false;
    const double scale = 100 / white[1];
    for (double& w : white)
        w *= scale;
    const CamWhite adopted = camWhite(white);
    for (int i = 0; i < colorEvaluationSampleCount; ++i) {
        const double* R = colorEvaluationSamples[i];
        double xyz[3] = {0, 0, 0};
        for (int k = 0; k < measurementCount; ++k) {
            xyz[0] += R[k] * weighted[0][k];
            xyz[1] += R[k] * weighted[1][k];
            xyz[2] += R[k] * weighted[2][k];
        }
        for (double& v : xyz)
            v *= scale;
        colours[i] = cam02Ucs(adopted, xyz);
    }
    return true;
}

double polygonArea(const double* a, const double* b)
{
    double twice = 0;
    for (int j = 0; j < hueBinCount; ++j) {
        const int next = (j + 1) % hueBinCount;
        twice += a[j] * b[next] - a[next] * b[j];
    }
    return std::abs(twice) / 2;
}

void fill(double* values, int count)
{
    std::fill(values, values + count, undetermined);
}

} // namespace

void colorFidelityReference(double T, double* spectrum)
{
    if (!(T > 0) || !std::isfinite(T)) {
        fill(spectrum, measurementCount);
        return;
    }
    if (T < planckianBelow) {
        planckianSpectrum(T, measurementCount, spectrum);
        return;
    }
    daylightSpectrum(T, spectrum);
    if (T > daylightAbove)
        return;
    double planckian[measurementCount];
    planckianSpectrum(T, measurementCount, planckian);
    const double m = (T - planckianBelow) / (daylightAbove - planckianBelow);
    const double planckianScale = (1 - m) * 100 / photopicSum(planckian);
    const double daylightScale = m * 100 / photopicSum(spectrum);
    for (int k = 0; k < measurementCount; ++k)
        spectrum[k] = planckianScale * planckian[k] + daylightScale * spectrum[k];
}

ColorFidelity undeterminedColorFidelity()
{
    ColorFidelity result;
    result.rf = result.rg = undetermined;
    for (double* bins : {result.binFidelity, result.binChromaShift, result.binHueShift,
                         result.testA, result.testB, result.referenceA, result.referenceB})
        fill(bins, hueBinCount);
    fill(result.sampleFidelity, colorEvaluationSampleCount);
    return result;
}

ColorFidelity colorFidelity(const double* spectrum, double cct)
{
    ColorFidelity result = undeterminedColorFidelity();

    double reference[measurementCount];
    colorFidelityReference(cct, reference);
    UcsColor test[colorEvaluationSampleCount], ref[colorEvaluationSampleCount];
    if (!std::isfinite(cct) || !sampleColours(spectrum, test) || !sampleColours(reference, ref))
        return result;

    double sumAll = 0;
    double sumBin[hueBinCount] = {};
    int countBin[hueBinCount] = {};
    double meanTest[2][hueBinCount] = {}, meanRef[2][hueBinCount] = {};
    for (int i = 0; i < colorEvaluationSampleCount; ++i) {
        const double deltaE = std::sqrt((test[i].J - ref[i].J) * (test[i].J - ref[i].J) +
                                        (test[i].a - ref[i].a) * (test[i].a - ref[i].a) +
                                        (test[i].b - ref[i].b) * (test[i].b - ref[i].b));
        result.sampleFidelity[i] = fidelity(deltaE);
        sumAll += deltaE;

        double hue = std::atan2(ref[i].b, ref[i].a) / degree;
        if (hue < 0)
            hue += 360;
        const int bin = std::min(int(hue / 22.5), hueBinCount - 1);
        sumBin[bin] += deltaE;
        ++countBin[bin];
        meanTest[0][bin] += test[i].a;
        meanTest[1][bin] += test[i].b;
        meanRef[0][bin] += ref[i].a;
        meanRef[1][bin] += ref[i].b;
    }
    result.rf = fidelity(sumAll / colorEvaluationSampleCount);

    bool everyBin = true;
    for (int j = 0; j < hueBinCount; ++j) {
        if (countBin[j] == 0) {
            everyBin = false;
            continue;
        }
        result.binFidelity[j] = fidelity(sumBin[j] / countBin[j]);
        const double ta = meanTest[0][j] / countBin[j], tb = meanTest[1][j] / countBin[j];
        const double ra = meanRef[0][j] / countBin[j], rb = meanRef[1][j] / countBin[j];
        result.testA[j] = ta;
        result.testB[j] = tb;
        result.referenceA[j] = ra;
        result.referenceB[j] = rb;
        const double theta = (22.5 * j + 11.25) * degree;
        const double length = std::hypot(ra, rb);
        const double da = ta - ra, db = tb - rb;
        result.binChromaShift[j] = 100 * (da * std::cos(theta) + db * std::sin(theta)) / length;
        result.binHueShift[j] = (-da * std::sin(theta) + db * std::cos(theta)) / length;
    }
    if (everyBin)
        result.rg = 100 * polygonArea(result.testA, result.testB) /
                    polygonArea(result.referenceA, result.referenceB);
    return result;
}
