#pragma once

// The entry of the light-quality measures: everything of one spectrum in one
// call. Undetermined quantities are NaN, never a stand-in number.

#include "colorfidelity.h"
#include "spectralmeasures.h"

#include <string>
#include <vector>

struct LightQuality
{
    // Nearest Planckian temperature (K) and Duv; cctValid when a CCT is
    // meaningful for the light (the fidelity measures are flagged with it).
    double cct, duv;
    bool cctValid;
    ColorFidelity tm30;
    double cie2017Rf;
    // By AlphaOpic: W·m⁻², lx, and the ratio to D65.
    double irradiance[alphaOpicCount], edi[alphaOpicCount], der[alphaOpicCount];
    // µmol·m⁻²·s⁻¹: 400–700 nm and its blue, green and red parts; 701–780 nm.
    double ppfd, pfdBlue, pfdGreen, pfdRed, pfdFarRed;
    double spRatio;
    SpectralShape shape;
};

// spectrum: count samples from 380 nm in 1-nm steps, of which the first 401
// are used; fewer, any sample not finite, or all zero leave everything
// undetermined, and a spectrum whose photopic sum is not positive everything
// but its shape. illuminance: the record's lux; the absolute quantities need
// it positive.
LightQuality calculateLightQuality(const double* spectrum, int count, double illuminance);

// The measures by name, in the order and with the names the calculator prints
// and the light-quality export writes; cct_valid as 1 or 0.
struct NamedMeasure
{
    std::string name;
    double value;
};
std::vector<NamedMeasure> lightQualityMeasures(const LightQuality& quality);
