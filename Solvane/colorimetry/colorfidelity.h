#pragma once

// Colour fidelity and gamut by ANSI/IES TM-30-20 (its fidelity index Rf is
// that of CIE 224:2017): the 99 colour evaluation samples under the test light
// and under a reference of the same CCT, compared in CAM02-UCS with the CIE
// 1964 10° observer, and grouped into 16 hue bins.

constexpr int hueBinCount = 16;
constexpr int colorEvaluationSampleCount = 99;

struct ColorFidelity
{
    double rf;                                         // fidelity index
    double rg;                                         // gamut index
    double binFidelity[hueBinCount];                   // Rf,hj
    double binChromaShift[hueBinCount];                // Rcs,hj, percent
    double binHueShift[hueBinCount];                   // Rhs,hj, a fraction
    double sampleFidelity[colorEvaluationSampleCount]; // Rf,CESi
    // Mean CAM02-UCS a′, b′ of each bin's samples: the colour vector graphic.
    double testA[hueBinCount], testB[hueBinCount];
    double referenceA[hueBinCount], referenceB[hueBinCount];
};

// The reference illuminant of colour temperature T on the 1-nm grid: Planckian
// below 4000 K, CIE daylight above 5000 K, a mixture of the two (each at
// Y = 100) in between. Relative; NaN when T is not a positive finite number.
void colorFidelityReference(double T, double* spectrum);

// Everything NaN when the spectrum has no 10° luminance or cct is not finite;
// a bin without samples (possible only far from white) leaves its own values
// and Rg NaN.
ColorFidelity colorFidelity(const double* spectrum, double cct);

// Every value NaN.
ColorFidelity undeterminedColorFidelity();
