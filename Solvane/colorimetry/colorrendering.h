#pragma once

// Colour rendering by the test-colour method of CIE 13.3-1995: the 15 test
// colour samples under the measured light and under a reference of the same
// CCT, compared in CIE 1964 U*V*W* after a von Kries adaptation in the CIE 1960
// (c, d) form. The daylight reference is CIE daylight (CIE 15, S0 + M1 S1 +
// M2 S2).

constexpr int testColorSampleCount = 15;

// Reference illuminant of colour temperature T: Planckian up to 5000 K, CIE
// daylight above, both on the 1-nm grid. Gives its CIE 1960 chromaticity, its
// adaptation coordinates and the U*, V*, W* of the 15 samples under it.
void calculateReferenceIlluminant(double T, double* ur, double* vr, double* cr, double* dr,
                                  double* U, double* V, double* W);

// Sample colours under an illuminant spectrum of count 401 (1 nm) or 41
// (10 nm) whose own chromaticity is (uk, vk), adapted to the reference (cr, dr)
// and taken relative to the white (ur, vr). Other counts write nothing.
void calculateSampleUVW(const double* spectrum, int count, double uk, double vk, double cr,
                        double dr, double ur, double vr, double* U, double* V, double* W);

// Sample colours under the measured light: its first dataCount 1-nm values
// (at most 401), always with the 2° observer; (u, v) is its CIE 1960
// chromaticity.
void calculateTestSampleUVW(const double* spectrum, int dataCount, double u, double v, double ur,
                            double vr, double cr, double dr, double* U, double* V, double* W);

// CIE daylight of correlated colour temperature T (T > 5000 K) on the 10-nm
// grid, and the same spectrum interpolated linearly to the 1-nm grid.
void daylightSpectrum10nm(double T, double* spectrum);
void daylightSpectrum(double T, double* spectrum);
