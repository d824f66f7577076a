#include "cct.h"

#include "spectralgrid.h"
#include "tristimulus.h"

#include <cmath>
#include <limits>

PlanckianPoint PlanckianTable[planckianTableRows];

namespace {

PlanckianPoint locusPoint(double T)
{
    PlanckianPoint p;
    planckianLocusPoint(T, &p.u, &p.v, &p.t);
    return p;
}

// The table depends on nothing but the observer, so each observer's table is
// computed once and copied; the copy is bit for bit what a rebuild gives.
struct CachedTable
{
    bool filled = false;
    PlanckianPoint rows[planckianTableRows];
};

// Zero and NaN are not positive.
bool onPositiveSide(double u, double v, const PlanckianPoint& p)
{
    return (v - p.v) - p.t * (u - p.u) > 0;
}

} // namespace

void planckianLocusPoint(double T, double* u, double* v, double* t)
{
    double M[fiveNmCount];
    planckianSpectrum(T, fiveNmCount, M, planckC1);
    double X, Y, Z;
    calculateTristimulus(M, fiveNmCount, &X, &Y, &Z);
    chromaticityUV(X, Y, Z, u, v);
    isotemperatureSlope(T, X, Y, Z, t);
}

void isotemperatureSlope(double T, double X, double Y, double Z, double* t)
{
    double D[fiveNmCount];
    planckianDerivativeSpectrum(T, fiveNmCount, D);
    double dX, dY, dZ;
    calculateTristimulus(D, fiveNmCount, &dX, &dY, &dZ);
    const double A = X * dY - Y * dX;
    const double B = Z * dY - Y * dZ;
    const double C = Z * dX - X * dZ;
    *t = -(2 * C - 10 * A) / (A + 3 * B);
}

void initPlanckianTable()
{
    static CachedTable cache[2];
    CachedTable& table = cache[currentObserver == 0 ? 0 : 1];
    if (!table.filled) {
        double T = planckianTableFirst;
        for (PlanckianPoint& row : table.rows) {
            row = locusPoint(T);
            T += planckianTableStep;
        }
        table.filled = true;
    }
    for (int k = 0; k < planckianTableRows; ++k)
        PlanckianTable[k] = table.rows[k];
}

void calculateCCT(double u, double v, double* cct, double* duv)
{
    // No chromaticity, no temperature: the search would end at the table's
    // last row and pass that off as a result.
    if (!std::isfinite(u) || !std::isfinite(v)) {
        *cct = *duv = std::numeric_limits<double>::quiet_NaN();
        return;
    }

    int k = 0;
    while (k < planckianTableRows && !onPositiveSide(u, v, PlanckianTable[k]))
        ++k;

    double T;
    PlanckianPoint P;
    if (k == 0) {
        T = planckianTableFirst;
        P = PlanckianTable[0];
    } else if (k == planckianTableRows) {
        T = planckianTableFirst + planckianTableStep * (planckianTableRows - 1);
        P = PlanckianTable[planckianTableRows - 1];
    } else {
        // Bracket (upper - 20, upper] in steps of 20 K, then the first whole
        // kelvin on whose positive side the chromaticity lies.
        const double rowT = planckianTableFirst + planckianTableStep * k;
        double upper = rowT;
        for (double t20 = rowT - planckianTableStep + 20; t20 < rowT; t20 += 20) {
            if (onPositiveSide(u, v, locusPoint(t20))) {
                upper = t20;
                break;
            }
        }
        T = upper;
        for (double t1 = upper - 20 + 1; t1 <= upper; t1 += 1) {
            P = locusPoint(t1);
            if (onPositiveSide(u, v, P)) {
                T = t1;
                break;
            }
        }
    }

    *cct = T;
    double distance = std::sqrt((u - P.u) * (u - P.u) + (v - P.v) * (v - P.v));
    if (u > P.u)
        distance = -distance;
    *duv = distance;
}
