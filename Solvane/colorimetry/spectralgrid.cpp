#include "spectralgrid.h"

#include <cmath>

namespace {

// λ, λ^-5 and λ^6 for every point of a grid. The powers do not depend on the
// temperature, so they are taken once; the values are those the general
// power function gives for the same wavelength, so every result is unchanged.
template <int N> struct GridPowers
{
    double lambda[N];
    double powMinus5[N];
    double pow6[N];

    explicit GridPowers(double step)
    {
        double l = 3.8e-07;
        for (int k = 0; k < N; ++k) {
            lambda[k] = l;
            powMinus5[k] = std::pow(l, -5);
            pow6[k] = std::pow(l, 6);
            l += step;
        }
    }
};

const GridPowers<fiveNmCount>& fiveNmGrid()
{
    static const GridPowers<fiveNmCount> grid(5e-09);
    return grid;
}

const GridPowers<measurementCount>& oneNmGrid()
{
    static const GridPowers<measurementCount> grid(1e-09);
    return grid;
}

double radiance(double c1, double powMinus5, double lambda, double T)
{
    return c1 * powMinus5 / (std::exp(planckC2 / (lambda * T)) - 1);
}

double radianceDerivative(double pow6, double lambda, double T)
{
    const double e = std::exp(planckC2 / (lambda * T));
    return planckC1C2 * e / (pow6 * T * T * (e - 1) * (e - 1));
}

template <int N> void fill(const GridPowers<N>& grid, double T, double c1, double* spectrum)
{
    for (int k = 0; k < N; ++k)
        spectrum[k] = radiance(c1, grid.powMinus5[k], grid.lambda[k], T);
}

template <int N> void fillDerivative(const GridPowers<N>& grid, double T, double* spectrum)
{
    for (int k = 0; k < N; ++k)
        spectrum[k] = radianceDerivative(grid.pow6[k], grid.lambda[k], T);
}

} // namespace

double planckRadiance(double lambda, double T, double c1)
{
    return radiance(c1, std::pow(lambda, -5), lambda, T);
}

double planckRadianceDerivative(double lambda, double T)
{
    return radianceDerivative(std::pow(lambda, 6), lambda, T);
}

void planckianSpectrum(double T, int count, double* spectrum, double c1)
{
    if (count == fiveNmCount)
        fill(fiveNmGrid(), T, c1, spectrum);
    else if (count == measurementCount)
        fill(oneNmGrid(), T, c1, spectrum);
}

void planckianDerivativeSpectrum(double T, int count, double* spectrum)
{
    if (count == fiveNmCount)
        fillDerivative(fiveNmGrid(), T, spectrum);
    else if (count == measurementCount)
        fillDerivative(oneNmGrid(), T, spectrum);
}
