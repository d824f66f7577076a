#pragma once

// Correlated colour temperature as CIE 15 defines it (the Planckian
// temperature nearest in the CIE 1960 UCS), found by a search along
// isotemperature lines in the manner of Robertson (1968); the distance from
// the locus (Δuv) in the same diagram.

struct PlanckianPoint
{
    double u, v, t; // CIE 1960 chromaticity and isotemperature slope dv/du
};

constexpr int planckianTableRows = 101; // 1800 K … 21800 K every 200 K
constexpr double planckianTableFirst = 1800;
constexpr double planckianTableStep = 200;

// Rebuilt by initPlanckianTable before every engine call.
extern PlanckianPoint PlanckianTable[planckianTableRows];

// Fills the table with the Planckian points of the current observer.
void initPlanckianTable();

// Planckian point at T from Planck's law on the 5-nm grid.
void planckianLocusPoint(double T, double* u, double* v, double* t);

// Slope of the isotemperature line at T; X, Y, Z are the blackbody's.
void isotemperatureSlope(double T, double X, double Y, double Z, double* t);

// CCT in whole kelvin (1800 … 21800) of the CIE 1960 chromaticity (u, v) and
// its signed distance from the locus: negative below, positive above. Both
// NaN when u or v is NaN or infinite.
void calculateCCT(double u, double v, double* cct, double* duv);
