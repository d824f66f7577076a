#pragma once

// Measures of a spectrum beyond colour: CIE S 026:2018 α-opic quantities,
// photon flux densities for plants, the scotopic/photopic ratio and the shape
// of the spectrum. Every function takes the 401 samples of 380–780 nm (1 nm).

constexpr double maximumLuminousEfficacy = 683.002; // K_m, lm/W

enum AlphaOpic
{
    AlphaSCone,
    AlphaMCone,
    AlphaLCone,
    AlphaRhodopic,
    AlphaMelanopic,
    alphaOpicCount
};

// α-opic efficacy of luminous radiation of CIE D65, W/lm (CIE S 026).
extern const double alphaOpicEfficacyD65[alphaOpicCount];

// Σ S·ȳ of the 2° observer, no step factor.
double photopicSum(const double* spectrum);

// k of E(λ) = k·S(λ) in W·m⁻²·nm⁻¹, so that the spectrum's photopic
// illuminance is the measured one; NaN when the illuminance is not a positive
// finite number or the spectrum's photopic sum is not positive. Without
// photopic content there are no ratios to it either (DER, S/P).
double absoluteScale(const double* spectrum, double illuminance);

// α-opic irradiance (W·m⁻²) and equivalent daylight illuminance (lx) need the
// scale; the daylight efficacy ratio does not. Undetermined values are NaN.
void alphaOpicQuantities(const double* spectrum, double scale, double* irradiance, double* edi,
                         double* der);

// Photon flux densities, µmol·m⁻²·s⁻¹, of the 1-nm samples first…last nm.
double photonFluxDensity(const double* spectrum, double scale, int firstNm, int lastNm);

// 1700·Σ S·V′ / (K_m·Σ S·V), V′ the rhodopic (CIE 1951 scotopic) function.
double scotopicPhotopicRatio(const double* spectrum);

// Wavelength of the largest sample (the shortest on ties), the full width of
// the contiguous run at half of it (edges interpolated linearly, a range end
// where the run reaches it) and Σ λS / Σ S, in nm; NaN without a positive peak
// (the centroid: without a positive Σ S).
struct SpectralShape
{
    double peak, fwhm, centroid;
};
SpectralShape spectralShape(const double* spectrum);
