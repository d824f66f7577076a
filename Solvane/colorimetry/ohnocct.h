#pragma once

// Correlated colour temperature and Duv for the light-quality measures: the
// Planckian temperature nearest in the CIE 1960 UCS, to the accuracy of Ohno
// (2013, LEUKOS 10:1) and better than 0.5 K, with the locus from Planck's law
// and the CIE 1931 2° observer on 380–780 nm. A CCT is meaningful only near
// the locus and within the range ANSI C78.377 uses: 1000–25 000 K, |Duv| ≤ 0.05.

constexpr double ohnoCctLowest = 1000;
constexpr double ohnoCctHighest = 25000;
constexpr double ohnoDuvLimit = 0.05;

struct NearestPlanckian
{
    double cct; // K; NaN when not determined
    double duv; // signed distance, positive above the locus (v > v of the locus)
    bool valid; // inside the range and the Duv limit
};

// CIE 1960 (u, v) of a 1-nm spectrum on 380–780 nm with the 2° observer; NaN
// when X + 15Y + 3Z is zero or not finite.
void spectrumUV(const double* spectrum, double* u, double* v);

// CIE 1960 (u, v) of a Planckian radiator at T, the same way.
void planckianUV(double T, double* u, double* v);

// The nearest Planckian temperature to (u, v) within 1000–25 000 K. When the
// nearest point of the whole locus lies beyond that range, the result is the
// range end and not valid. Both numbers are NaN when (u, v) is not finite.
NearestPlanckian nearestPlanckian(double u, double v);
