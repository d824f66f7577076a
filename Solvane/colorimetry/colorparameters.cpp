#include "colorparameters.h"

#include "cct.h"
#include "colorrendering.h"
#include "spectralgrid.h"
#include "tristimulus.h"

#include <cmath>
#include <limits>

void calculateColorParameters(const double* intensity, int dataCount, double* results, int observer,
                              double ratio)
{
    constexpr double undetermined = std::numeric_limits<double>::quiet_NaN();
    double X, Y, Z, u, v;
    double x = undetermined, y = undetermined;
    double uPrime = undetermined, vPrime = undetermined;

    currentObserver = observer;
    calculateTristimulus(intensity, measurementCount, &X, &Y, &Z);
    chromaticityXY(X, Y, Z, &x, &y);
    chromaticityUV(X, Y, Z, &u, &v);
    chromaticityUV1976(x, y, &uPrime, &vPrime);

    // u' and v' keep the selected observer; everything else is 2°.
    if (observer != 0) {
        currentObserver = 0;
        x = y = undetermined;
        calculateTristimulus(intensity, measurementCount, &X, &Y, &Z);
        chromaticityXY(X, Y, Z, &x, &y);
        chromaticityUV(X, Y, Z, &u, &v);
    }

    double lambdaD = undetermined;
    calculateDominantWavelength(x, y, &lambdaD);

    // Without a chromaticity (no light, or sums out of range) there is no
    // temperature, no distance from the locus and no reference to render against.
    const bool determined =
        std::isfinite(x) && std::isfinite(y) && std::isfinite(u) && std::isfinite(v);
    double cct = undetermined, duv = undetermined;
    if (determined) {
        calculateCCT(u, v, &cct, &duv);

        double ur, vr, cr, dr;
        double Uref[testColorSampleCount], Vref[testColorSampleCount], Wref[testColorSampleCount];
        calculateReferenceIlluminant(cct, &ur, &vr, &cr, &dr, Uref, Vref, Wref);
        double Utest[testColorSampleCount], Vtest[testColorSampleCount],
            Wtest[testColorSampleCount];
        calculateTestSampleUVW(intensity, dataCount, u, v, ur, vr, cr, dr, Utest, Vtest, Wtest);

        double ra = 0;
        for (int j = 0; j < testColorSampleCount; ++j) {
            const double dU = Uref[j] - Utest[j];
            const double dV = Vref[j] - Vtest[j];
            const double dW = Wref[j] - Wtest[j];
            const double deltaE = std::pow(dU * dU + dV * dV + dW * dW, 0.5);
            const double r = 100 - 4.6 * deltaE;
            results[SlotR1 + j] = r;
            if (j < 8)
                ra += r;
        }
        results[SlotRa] = ra * 0.125;
    } else {
        for (int j = 0; j < testColorSampleCount; ++j)
            results[SlotR1 + j] = undetermined;
        results[SlotRa] = undetermined;
    }

    results[SlotX1931] = x;
    results[SlotY1931] = y;
    results[SlotU1976] = uPrime;
    results[SlotV1976] = vPrime;
    results[SlotCCT] = cct;
    results[SlotDuv] = duv;
    results[SlotTristimulusX] = X * ratio * tristimulusScale / tristimulusDivisor;
    results[SlotTristimulusY] = Y * ratio * tristimulusScale / tristimulusDivisor;
    results[SlotTristimulusZ] = Z * ratio * tristimulusScale / tristimulusDivisor;
    results[SlotDominantWavelength] = lambdaD;
}
