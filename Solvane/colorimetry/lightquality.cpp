#include "lightquality.h"

#include "ohnocct.h"
#include "spectralgrid.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double undetermined = std::numeric_limits<double>::quiet_NaN();

LightQuality undeterminedQuality()
{
    LightQuality q;
    q.cct = q.duv = q.cie2017Rf = undetermined;
    q.cctValid = false;
    q.tm30 = undeterminedColorFidelity();
    for (double* values : {q.irradiance, q.edi, q.der})
        std::fill(values, values + alphaOpicCount, undetermined);
    q.ppfd = q.pfdBlue = q.pfdGreen = q.pfdRed = q.pfdFarRed = q.spRatio = undetermined;
    q.shape = {undetermined, undetermined, undetermined};
    return q;
}

} // namespace

LightQuality calculateLightQuality(const double* spectrum, int count, double illuminance)
{
    LightQuality q = undeterminedQuality();
    if (count < measurementCount)
        return q;
    // Every measure is independent of the spectrum's scale (the absolute ones
    // through the illuminance), so the largest sample is taken as 1: sums of
    // counts near the largest double then cannot overflow.
    double largest = 0;
    for (int k = 0; k < measurementCount; ++k) {
        if (!std::isfinite(spectrum[k]))
            return q;
        largest = std::max(largest, std::abs(spectrum[k]));
    }
    if (largest == 0)
        return q;
    double S[measurementCount];
    for (int k = 0; k < measurementCount; ++k)
        S[k] = spectrum[k] / largest;

    q.shape = spectralShape(S);
    double u, v;
    spectrumUV(S, &u, &v);
    // Light with no photopic content has no colour temperature either.
    if (!(photopicSum(S) > 0))
        return q;
    const NearestPlanckian nearest = nearestPlanckian(u, v);
    q.cct = nearest.cct;
    q.duv = nearest.duv;
    q.cctValid = nearest.valid;
    q.tm30 = colorFidelity(S, q.cct);
    q.cie2017Rf = q.tm30.rf;

    const double scale = absoluteScale(S, illuminance);
    alphaOpicQuantities(S, scale, q.irradiance, q.edi, q.der);
    q.pfdBlue = photonFluxDensity(S, scale, 400, 499);
    q.pfdGreen = photonFluxDensity(S, scale, 500, 599);
    q.pfdRed = photonFluxDensity(S, scale, 600, 700);
    q.ppfd = photonFluxDensity(S, scale, 400, 700);
    q.pfdFarRed = photonFluxDensity(S, scale, 701, 780);
    q.spRatio = scotopicPhotopicRatio(S);
    return q;
}

std::vector<NamedMeasure> lightQualityMeasures(const LightQuality& q)
{
    std::vector<NamedMeasure> measures{{"cct_ohno", q.cct},
                                       {"duv_ohno", q.duv},
                                       {"cct_valid", q.cctValid ? 1.0 : 0.0},
                                       {"tm30_rf", q.tm30.rf},
                                       {"tm30_rg", q.tm30.rg}};
    const auto bins = [&](const char* prefix, const double* values) {
        for (int j = 0; j < hueBinCount; ++j)
            measures.push_back({prefix + std::to_string(j + 1), values[j]});
    };
    bins("tm30_rf_h", q.tm30.binFidelity);
    bins("tm30_rcs_h", q.tm30.binChromaShift);
    bins("tm30_rhs_h", q.tm30.binHueShift);
    measures.push_back({"cie2017_rf", q.cie2017Rf});

    static const char* const alphaNames[alphaOpicCount] = {"sc", "mc", "lc", "rh", "mel"};
    const auto perAlpha = [&](const char* suffix, const double* values) {
        for (int a = 0; a < alphaOpicCount; ++a)
            measures.push_back({alphaNames[a] + std::string(suffix), values[a]});
    };
    perAlpha("_irradiance", q.irradiance);
    perAlpha("_edi", q.edi);
    perAlpha("_der", q.der);

    measures.insert(measures.end(), {{"ppfd", q.ppfd},
                                     {"pfd_blue", q.pfdBlue},
                                     {"pfd_green", q.pfdGreen},
                                     {"pfd_red", q.pfdRed},
                                     {"pfd_far_red", q.pfdFarRed},
                                     {"sp_ratio", q.spRatio},
                                     {"peak_wavelength", q.shape.peak},
                                     {"fwhm", q.shape.fwhm},
                                     {"centroid_wavelength", q.shape.centroid}});
    return measures;
}
