#pragma once

// The engine's entry: every reported colour quantity of one spectrum
// (CIE 15 chromaticity, CCT and Δuv; CIE 13.3 rendering indices).

// Positions in the 26-value result vector.
enum ColorimetricSlot
{
    SlotX1931 = 0,
    SlotY1931 = 1,
    SlotU1976 = 2,
    SlotV1976 = 3,
    SlotCCT = 4,
    SlotDuv = 5,
    SlotTristimulusX = 6,
    SlotTristimulusY = 7,
    SlotTristimulusZ = 8,
    SlotDominantWavelength = 9,
    SlotRa = 10,
    SlotR1 = 11, // R1 … R15 in slots 11 … 25
    ColorimetricResultSize = 26
};

using ColorimetricResult = double[ColorimetricResultSize];

// Tristimulus slots are value × ratio × 47080 / 13.785.
constexpr double tristimulusScale = 47080;
constexpr double tristimulusDivisor = 13.785;

// intensity: 401 values, 380–780 nm; dataCount: how many of them the test side
// of the rendering step uses. observer 0 (2°) or 1 (10°) decides slots 2 and 3
// only; everything else is 2°. Call initPlanckianTable first. Quantities that
// are not determined are NaN: without a 2° chromaticity (tristimulus sums zero
// or out of range) everything derived from it, from x, y to R15; purple light
// has no dominant wavelength.
void calculateColorParameters(const double* intensity, int dataCount, double* results, int observer,
                              double ratio);
