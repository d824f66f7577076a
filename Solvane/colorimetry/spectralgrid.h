#pragma once

// Wavelength grids of the engine (all 380–780 nm) and the Planckian radiator
// (Planck's law with the radiation constants of CIE 15).

constexpr int measurementCount = 401; // 1 nm
constexpr int fiveNmCount = 81;       // 5 nm
constexpr int tenNmCount = 41;        // 10 nm

// Radiation constants. Two values of c1 are in use (colour temperature and
// rendering reference); only relative spectra are used, so c1 changes no result.
constexpr double planckC1 = 3.7417749e-16;
constexpr double planckC1Reference = 3.74177e-16;
constexpr double planckC2 = 0.014388;
constexpr double planckC1C2 = 5.38366572612e-18;

// Spectral exitance of a blackbody; wavelength in metres, temperature in kelvin.
double planckRadiance(double lambda, double T, double c1 = planckC1);
// Its derivative with respect to temperature.
double planckRadianceDerivative(double lambda, double T);

// Planckian spectrum at T on the 5-nm (count 81) or 1-nm (count 401) grid,
// wavelengths from 3.8e-07 m advanced by repeated addition of the step.
// Other counts write nothing.
void planckianSpectrum(double T, int count, double* spectrum, double c1 = planckC1);
// Its temperature derivative on the same grids.
void planckianDerivativeSpectrum(double T, int count, double* spectrum);
