#pragma once

// Tristimulus values, chromaticity coordinates and dominant wavelength, as
// CIE 15 (Colorimetry) defines them: the CIE 1931 2° and CIE 1964 10° standard
// observers (ISO/CIE 11664-1), the CIE 1960 UCS and the CIE 1976 UCS
// (ISO/CIE 11664-5).

// Observer used by every tristimulus sum: 0 the CIE 1931 2° observer,
// anything else the CIE 1964 10° observer. Only the engine entry writes it.
extern int currentObserver;

// White point of the dominant-wavelength search, written to 7 decimals.
constexpr double dominantWhite = 0.3333333;

// Plain sums of spectrum × colour-matching function, no step factor. The count
// selects the grid: 401 (1 nm), 81 (5 nm), 41 (10 nm), 400 (first 400 rows of
// the 1-nm grid), 701 (1 nm from 300 nm; its 380–780 nm part). Any other count
// gives zeros.
void calculateTristimulus(const double* spectrum, int count, double* X, double* Y, double* Z);

// CIE 1931 x, y; written only when X + Y + Z is neither zero nor infinite.
void chromaticityXY(double X, double Y, double Z, double* x, double* y);
// CIE 1960 u, v; NaN when X + 15Y + 3Z overflows, otherwise no guard (a zero
// denominator gives NaN or infinity).
void chromaticityUV(double X, double Y, double Z, double* u, double* v);
// CIE 1976 u', v' from x, y; written only when -2x + 12y + 3 is not zero.
void chromaticityUV1976(double x, double y, double* uPrime, double* vPrime);

// Dominant wavelength in whole nanometres against the 2° spectrum locus.
// lambdaD is left untouched in the purple sector and for a NaN chromaticity.
void calculateDominantWavelength(double x, double y, double* lambdaD);
