#include "spectralmeasures.h"

#include "cietables.h"
#include "spectralgrid.h"

#include <cmath>
#include <limits>

namespace {

constexpr double undetermined = std::numeric_limits<double>::quiet_NaN();
constexpr double planckConstant = 6.62607015e-34; // J·s
constexpr double speedOfLight = 299792458;        // m/s
constexpr double avogadro = 6.02214076e23;        // 1/mol
constexpr int firstNm = 380;

double weightedSum(const double* spectrum, const double* weight)
{
    double sum = 0;
    for (int k = 0; k < measurementCount; ++k)
        sum += spectrum[k] * weight[k];
    return sum;
}

} // namespace

double photopicSum(const double* spectrum)
{
    return weightedSum(spectrum, cmf2Deg[1]);
}

const double alphaOpicEfficacyD65[alphaOpicCount] = {0.8173e-3, 1.4558e-3, 1.6289e-3, 1.4497e-3,
                                                     1.3262e-3};

double absoluteScale(const double* spectrum, double illuminance)
{
    const double photopic = photopicSum(spectrum);
    if (!(illuminance > 0) || !std::isfinite(illuminance) || !(photopic > 0))
        return undetermined;
    return illuminance / (maximumLuminousEfficacy * photopic);
}

void alphaOpicQuantities(const double* spectrum, double scale, double* irradiance, double* edi,
                         double* der)
{
    const double photopic = maximumLuminousEfficacy * photopicSum(spectrum);
    for (int a = 0; a < alphaOpicCount; ++a) {
        const double sum = weightedSum(spectrum, alphaOpicActionSpectra[a]);
        irradiance[a] = scale * sum;
        edi[a] = irradiance[a] / alphaOpicEfficacyD65[a];
        der[a] = photopic > 0 ? sum / (photopic * alphaOpicEfficacyD65[a]) : undetermined;
    }
}

double photonFluxDensity(const double* spectrum, double scale, int firstBandNm, int lastBandNm)
{
    double sum = 0;
    for (int nm = firstBandNm; nm <= lastBandNm; ++nm)
        sum += spectrum[nm - firstNm] * (nm * 1e-9);
    return scale * sum / (planckConstant * speedOfLight * avogadro) * 1e6;
}

double scotopicPhotopicRatio(const double* spectrum)
{
    const double photopic = photopicSum(spectrum);
    if (!(photopic > 0))
        return undetermined;
    return 1700 * weightedSum(spectrum, alphaOpicActionSpectra[AlphaRhodopic]) /
           (maximumLuminousEfficacy * photopic);
}

SpectralShape spectralShape(const double* S)
{
    int peak = 0;
    double sum = 0, moment = 0;
    for (int k = 0; k < measurementCount; ++k) {
        if (S[k] > S[peak])
            peak = k;
        sum += S[k];
        moment += (firstNm + k) * S[k];
    }
    if (!(S[peak] > 0))
        return {undetermined, undetermined, undetermined};

    const double half = S[peak] / 2;
    int left = peak, right = peak;
    while (left > 0 && S[left - 1] >= half)
        --left;
    while (right + 1 < measurementCount && S[right + 1] >= half)
        ++right;
    // The crossing between the last sample of the run and the one outside it.
    const auto crossing = [&](int inside, int outside) {
        return inside + (outside - inside) * (S[inside] - half) / (S[inside] - S[outside]);
    };
    const double leftEdge = left > 0 ? crossing(left, left - 1) : 0;
    const double rightEdge =
        right + 1 < measurementCount ? crossing(right, right + 1) : measurementCount - 1;
    return {double(firstNm + peak), rightEdge - leftEdge, sum > 0 ? moment / sum : undetermined};
}
