#include "ohnocct.h"

#include "cietables.h"
#include "spectralgrid.h"
#include "tristimulus.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double undetermined = std::numeric_limits<double>::quiet_NaN();

// A coarse locus, 2 % apart, finds the neighbourhood of the minimum; exact
// points around it do the rest. Built once: its points cost a millisecond.
constexpr double searchRatio = 1.02;

struct LocusPoint
{
    double T, u, v;
};

const std::vector<LocusPoint>& coarseLocus()
{
    static const std::vector<LocusPoint> locus = [] {
        std::vector<LocusPoint> points;
        for (double T = ohnoCctLowest; T < ohnoCctHighest * searchRatio; T *= searchRatio) {
            LocusPoint p{T, 0, 0};
            planckianUV(T, &p.u, &p.v);
            points.push_back(p);
        }
        return points;
    }();
    return locus;
}

double squaredDistance(double u, double v, double T)
{
    double uT, vT;
    planckianUV(T, &uT, &vT);
    return (u - uT) * (u - uT) + (v - vT) * (v - vT);
}

// Vertex of the parabola through (a, fa), (b, fb), (c, fc); b when the three
// points are in a line or the parabola opens downwards.
double parabolaVertex(double a, double fa, double b, double fb, double c, double fc)
{
    const double p = (b - a) * (fb - fc);
    const double q = (b - c) * (fb - fa);
    if (p == q)
        return b;
    const double vertex = b - ((b - a) * p - (b - c) * q) / (2 * (p - q));
    return (fa - fb) + (fc - fb) > 0 ? vertex : b;
}

} // namespace

void spectrumUV(const double* S, double* u, double* v)
{
    double X = 0, Y = 0, Z = 0;
    for (int k = 0; k < measurementCount; ++k) {
        X += S[k] * cmf2Deg[0][k];
        Y += S[k] * cmf2Deg[1][k];
        Z += S[k] * cmf2Deg[2][k];
    }
    chromaticityUV(X, Y, Z, u, v);
    if (!std::isfinite(*u) || !std::isfinite(*v))
        *u = *v = undetermined;
}

void planckianUV(double T, double* u, double* v)
{
    double S[measurementCount];
    planckianSpectrum(T, measurementCount, S);
    spectrumUV(S, u, v);
}

NearestPlanckian nearestPlanckian(double u, double v)
{
    NearestPlanckian result{undetermined, undetermined, false};
    if (!std::isfinite(u) || !std::isfinite(v))
        return result;

    const std::vector<LocusPoint>& locus = coarseLocus();
    const auto distance = [&](const LocusPoint& p) {
        return (u - p.u) * (u - p.u) + (v - p.v) * (v - p.v);
    };
    size_t nearest = 0;
    double nearestDistance = distance(locus[0]);
    for (size_t k = 1; k < locus.size(); ++k)
        if (const double d = distance(locus[k]); d < nearestDistance) {
            nearest = k;
            nearestDistance = d;
        }

    // Squared distance is smooth through its minimum even on the locus, where
    // the distance itself has a kink; successive parabolas close in on it. The
    // locus is computable past the range, so a step may look beyond it; a
    // minimum beyond it stays at the range end.
    const auto limit = [](double T) { return std::clamp(T, ohnoCctLowest, ohnoCctHighest); };
    const size_t middle = std::clamp<size_t>(nearest, 1, locus.size() - 2);
    const LocusPoint& a = locus[middle - 1];
    const LocusPoint& b = locus[middle];
    const LocusPoint& c = locus[middle + 1];
    double T = limit(parabolaVertex(a.T, distance(a), b.T, distance(b), c.T, distance(c)));
    for (double relativeStep : {1e-3, 1e-5}) {
        const double h = T * relativeStep;
        T = limit(parabolaVertex(T - h, squaredDistance(u, v, T - h), T, squaredDistance(u, v, T),
                                 T + h, squaredDistance(u, v, T + h)));
    }

    double uT, vT;
    planckianUV(T, &uT, &vT);
    const double duv = std::hypot(u - uT, v - vT);
    result.cct = T;
    result.duv = v >= vT ? duv : -duv;
    result.valid = T > ohnoCctLowest && T < ohnoCctHighest && std::abs(result.duv) <= ohnoDuvLimit;
    return result;
}
