// The colorimetry engine against known colorimetric facts and at the edges
// that reference/crosscheck.py, comparing every slot through solvane-calc, misses.

#include "colorimetry.h"

#include <QtTest>
#include <algorithm>
#include <array>
#include <cmath>
#include <numeric>
#include <vector>

namespace {
using Spectrum = std::vector<double>;

Spectrum line(int nm)
{
    Spectrum s(measurementCount, 0.0);
    s[nm - 380] = 1;
    return s;
}

Spectrum planck(double T)
{
    Spectrum s(measurementCount);
    planckianSpectrum(T, measurementCount, s.data(), planckC1);
    return s;
}

Spectrum results(const Spectrum& s, int observer = 0, int count = measurementCount)
{
    Spectrum r(ColorimetricResultSize, 12345.0);
    initPlanckianTable();
    calculateColorParameters(s.data(), count, r.data(), observer, 1);
    return r;
}
} // namespace

class ColorimetryTest : public QObject
{
    Q_OBJECT

private slots:
    // The generated tables hold the published values, a count without a grid
    // gives zeros, and the observer chooses the table.
    void tablesAndCounts()
    {
        const double sum = std::accumulate(std::begin(cmf2Deg[1]), std::end(cmf2Deg[1]), 0.0);
        QVERIFY(std::abs(sum - 106.8564262816) < 1e-8);
        QVERIFY(cmf2Deg[0][175] == 0.5120501 && cmf10Deg[1][177] == 1.0);
        QVERIFY(spectralLocusY[175] == 0.65885 && testColorSamples[14][80] == 0.611);
        QCOMPARE(daylightS1[40], -10.4);

        const auto xyz = [](const Spectrum& s, int count) {
            std::array<double, 3> t{7, 7, 7};
            calculateTristimulus(s.data(), count, &t[0], &t[1], &t[2]);
            return t;
        };
        for (int count : {402, 100, 0, -1})
            QVERIFY(xyz(Spectrum(402, 1.0), count) == (std::array<double, 3>{}));
        currentObserver = 1;
        const double tenDegreeY = xyz(line(557), measurementCount)[1];
        currentObserver = 0;
        QCOMPARE(tenDegreeY, 1.0);
    }

    // The dominant wavelength and the CCT at the ends of their searches.
    void searchEdges()
    {
        const auto dominant = [](double x, double y, double lambda = -1) {
            calculateDominantWavelength(x, y, &lambda);
            return lambda;
        };
        // A monochromatic light is its own dominant wavelength, on every arc.
        for (int nm : {400, 470, 500, 530, 560, 580, 620, 650})
            QVERIFY2(std::abs(results(line(nm))[SlotDominantWavelength] - nm) <= 1,
                     qPrintable(QString::number(nm)));
        // Steeper than the whole arc: its last entry; just right of white: the
        // next arc. The 780-nm ray meets the locus at 699 nm, where it stops.
        QCOMPARE(dominant(dominantWhite - 1e-6, 0.9), 555.0);
        QCOMPARE(dominant(dominantWhite + 1e-6, 0.9), 556.0);
        QCOMPARE(dominant(spectralLocusX[400], spectralLocusY[400]), 699.0);
        QCOMPARE(dominant(dominantWhite, dominantWhite), 492.0);
        // Purple sector and NaN: untouched.
        for (const auto& [x, y] : {std::pair{0.4, 0.2}, {0.2, 0.05}, {double(NAN), double(NAN)}})
            QCOMPARE(dominant(x, y), -1.0);
        // Exactly on a whole-kelvin point: not on its positive side, so T + 1.
        double u, v, t, cct, duv;
        planckianLocusPoint(3000, &u, &v, &t);
        initPlanckianTable();
        calculateCCT(u, v, &cct, &duv);
        QCOMPARE(cct, 3001.0);
    }

    // A Planckian light is its own reference; the equal-energy light is a
    // standard case.
    void knownLights()
    {
        Spectrum r = results(planck(2856));
        QVERIFY(r[SlotCCT] == 2856 && std::abs(r[SlotDuv]) < 1e-6);
        for (int slot = SlotRa; slot < ColorimetricResultSize; ++slot)
            QVERIFY2(std::abs(r[slot] - 100) < 1e-9, qPrintable(QString::number(slot)));
        r = results(Spectrum(measurementCount, 1.0));
        QVERIFY(r[SlotCCT] == 5456 && std::abs(r[SlotDuv] + 0.00443) < 5e-6);
    }

    // A NaN count leaves no slot with a value (no light and overflowing sums
    // go through the cross-check). Every slot is written, whatever the count of
    // the test side, and a call leaves nothing behind for the next.
    void undeterminedAndBounds()
    {
        Spectrum nanCount(measurementCount, 1.0);
        nanCount[200] = NAN;
        for (int observer : {0, 1}) {
            const Spectrum r = results(nanCount, observer);
            QVERIFY(std::all_of(r.begin(), r.end(), [](double v) { return std::isnan(v); }));
        }

        const Spectrum warm = planck(3000), twoDegrees = results(warm);
        for (int count : {-5, 0, 200, 401, 5000}) {
            const Spectrum r = results(warm, 1, count);
            QVERIFY(std::find(r.begin(), r.end(), 12345.0) == r.end());
            QCOMPARE(results(warm), twoDegrees);
        }
    }
};

QTEST_GUILESS_MAIN(ColorimetryTest)
#include "tst_colorimetry.moc"
