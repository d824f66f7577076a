// The colorimetry engine against known colorimetric facts and its own rules.
// The slot-by-slot comparison with an independent implementation runs through
// solvane-calc (reference/crosscheck.py).

#include "colorimetry.h"

#include <QtTest>
#include <cmath>
#include <vector>

namespace {

using Spectrum = std::vector<double>;

Spectrum planckian(double T)
{
    Spectrum s(measurementCount);
    planckianSpectrum(T, measurementCount, s.data(), planckC1);
    return s;
}

Spectrum line(int nm, int count = measurementCount)
{
    Spectrum s(count, 0.0);
    s[nm - 380] = 1;
    return s;
}

Spectrum cieDaylight(double T)
{
    Spectrum s(measurementCount);
    daylightSpectrum(T, s.data());
    return s;
}

std::vector<double> results(const Spectrum& s, int observer = 0, double ratio = 1)
{
    std::vector<double> r(ColorimetricResultSize, 12345.0);
    initPlanckianTable();
    calculateColorParameters(s.data(), measurementCount, r.data(), observer, ratio);
    return r;
}

void chromaticity(const Spectrum& s, double* x, double* y)
{
    double X, Y, Z;
    calculateTristimulus(s.data(), int(s.size()), &X, &Y, &Z);
    chromaticityXY(X, Y, Z, x, y);
}

} // namespace

class ColorimetryTest : public QObject
{
    Q_OBJECT

private slots:
    // The generated tables hold the published values where they are known.
    void publishedTables()
    {
        double sum = 0;
        for (double y : cmf2Deg[1])
            sum += y;
        QVERIFY(std::abs(sum - 106.8564262816) < 1e-8);
        QCOMPARE(cmf2Deg[0][175], 0.5120501);
        QCOMPARE(cmf10Deg[1][177], 1.0);
        QCOMPARE(spectralLocusY[175], 0.65885);
        QCOMPARE(testColorSamples[14][80], 0.611);
        QCOMPARE(daylightS1[40], -10.4);
    }

    // Each count selects its grid; a 5-nm or 10-nm entry meets every 5th or 10th row.
    void tristimulusGrids()
    {
        struct Case
        {
            Spectrum s;
            int row;
        };
        Spectrum fiveNm(fiveNmCount, 0.0), tenNm(tenNmCount, 0.0), wide(701, 0.0);
        fiveNm[35] = 1;
        tenNm[17] = 1;
        wide[80 + 175] = 1;
        for (const Case& c : {Case{line(555), 175}, Case{fiveNm, 175}, Case{tenNm, 170},
                              Case{wide, 175}, Case{line(779, 400), 399}}) {
            double X, Y, Z;
            calculateTristimulus(c.s.data(), int(c.s.size()), &X, &Y, &Z);
            QCOMPARE(X, cmf2Deg[0][c.row]);
            QCOMPARE(Y, cmf2Deg[1][c.row]);
            QCOMPARE(Z, cmf2Deg[2][c.row]);
        }
        const Spectrum ones(402, 1.0);
        for (int count : {402, 100, 0, -1}) {
            double X = 7, Y = 7, Z = 7;
            calculateTristimulus(ones.data(), count, &X, &Y, &Z);
            QVERIFY(X == 0 && Y == 0 && Z == 0);
        }
        currentObserver = 1;
        double X, Y, Z;
        calculateTristimulus(line(557).data(), measurementCount, &X, &Y, &Z);
        currentObserver = 0;
        QCOMPARE(Y, 1.0);
    }

    void dominantWavelength()
    {
        const double W = dominantWhite;
        const auto lambda = [](double x, double y) {
            double l = -1;
            calculateDominantWavelength(x, y, &l);
            return l;
        };
        // A monochromatic light is its own dominant wavelength, on every arc.
        for (int nm : {400, 470, 500, 530, 560, 580, 620, 650}) {
            double x, y;
            chromaticity(line(nm), &x, &y);
            QVERIFY2(std::abs(lambda(x, y) - nm) <= 1, qPrintable(QString::number(nm)));
        }
        // Steeper than the whole arc: its last entry; just right of W: the next arc.
        QCOMPARE(lambda(W - 1e-6, 0.9), 555.0);
        QCOMPARE(lambda(W + 1e-6, 0.9), 556.0);
        // The 780-nm ray meets the locus at 699 nm, where the locus stops moving.
        QCOMPARE(lambda(spectralLocusX[400], spectralLocusY[400]), 699.0);
        QCOMPARE(lambda(W, W), 492.0);
        // Purple sector and NaN: untouched.
        QCOMPARE(lambda(0.4, 0.2), -1.0);
        QCOMPARE(lambda(0.2, 0.05), -1.0);
        QCOMPARE(lambda(NAN, NAN), -1.0);
    }

    void correlatedColourTemperature()
    {
        double cct, duv;
        // Exactly on a whole-kelvin point: not on its positive side, so T + 1.
        PlanckianPoint p;
        planckianLocusPoint(3000, &p.u, &p.v, &p.t);
        initPlanckianTable();
        calculateCCT(p.u, p.v, &cct, &duv);
        QCOMPARE(cct, 3001.0);
        // Beyond either end of the table: clamped, distance to the end point.
        calculateCCT(0.40, 0.36, &cct, &duv);
        QCOMPARE(cct, 1800.0);
        QVERIFY(duv < 0);
        calculateCCT(0.17, 0.27, &cct, &duv);
        QCOMPARE(cct, 21800.0);
        // No chromaticity: no temperature either, not the search's end.
        const double nan = NAN, inf = INFINITY;
        for (const auto& [u, v] : {std::pair{nan, nan}, std::pair{0.2, nan}, std::pair{-inf, 0.3},
                                   std::pair{0.2, inf}}) {
            cct = duv = 0;
            calculateCCT(u, v, &cct, &duv);
            QVERIFY(std::isnan(cct) && std::isnan(duv));
        }
        // Above the locus positive, below negative.
        calculateCCT(p.u, p.v + 0.01, &cct, &duv);
        QVERIFY(duv > 0.009 && std::abs(cct - 3000) < 150);
        calculateCCT(p.u, p.v - 0.01, &cct, &duv);
        QVERIFY(duv < -0.009 && std::abs(cct - 3000) < 150);
    }

    // A Planckian light is its own reference; the equal-energy light is a
    // standard case; CIE daylight scores 100 against itself.
    void knownLights()
    {
        auto r = results(planckian(2856));
        QCOMPARE(r[SlotCCT], 2856.0);
        QVERIFY(std::abs(r[SlotDuv]) < 1e-6);
        for (int slot = SlotRa; slot < ColorimetricResultSize; ++slot)
            QVERIFY2(std::abs(r[slot] - 100) < 1e-9, qPrintable(QString::number(slot)));

        r = results(Spectrum(measurementCount, 1.0));
        QCOMPARE(r[SlotCCT], 5456.0);
        QVERIFY(std::abs(r[SlotDuv] + 0.00443) < 5e-6);

        for (double T : {5500.0, 6504.0, 7500.0, 10000.0}) {
            r = results(cieDaylight(T));
            QVERIFY2(std::abs(r[SlotRa] - 100) < 0.05, qPrintable(QString::number(r[SlotRa])));
        }
        r = results(planckian(6500));
        QVERIFY2(std::abs(r[SlotRa] - 98.0) < 0.3, qPrintable(QString::number(r[SlotRa])));

        // Narrow band: indices are reported as computed, negative ones too.
        r = results(line(450));
        QVERIFY(r[SlotR1 + 8] < 0);
        QVERIFY(std::abs(r[SlotDominantWavelength] - 450) <= 1);
    }

    // Without a 2° chromaticity nothing derived from it has a value: no light
    // (a covered sensor), sums that cancel out, sums that overflow.
    void undeterminedChromaticity()
    {
        Spectrum zeroSum(measurementCount, 0.0);
        zeroSum[480 - 380] = 1;
        zeroSum[516 - 380] = -1.3639597677410873;
        double X, Y, Z;
        calculateTristimulus(zeroSum.data(), measurementCount, &X, &Y, &Z);
        QVERIFY(X + Y + Z == 0 && X != 0);
        const struct
        {
            const char* name;
            Spectrum s;
        } cases[] = {{"dark", Spectrum(measurementCount, 0.0)},
                     {"cancelling", zeroSum},
                     {"overflowing", Spectrum(measurementCount, 1e306)}};

        for (const auto& c : cases) {
            for (int observer : {0, 1}) {
                const auto r = results(c.s, observer);
                for (int slot = 0; slot < ColorimetricResultSize; ++slot) {
                    const bool tristimulus = slot >= SlotTristimulusX && slot <= SlotTristimulusZ;
                    // The 10° sums of the cancelling spectrum do not cancel.
                    const bool ownObserver = &c == &cases[1] && observer == 1 &&
                                             (slot == SlotU1976 || slot == SlotV1976);
                    QVERIFY2(std::isnan(r[slot]) != (tristimulus || ownObserver),
                             qPrintable(QString("%1, observer %2, slot %3: %4")
                                            .arg(c.name)
                                            .arg(observer)
                                            .arg(slot)
                                            .arg(r[slot])));
                }
            }
        }
        QCOMPARE(results(cases[0].s)[SlotTristimulusY], 0.0);
    }

    // Purple light has no dominant wavelength; every slot is written.
    void purpleAndShortSpectra()
    {
        Spectrum purple = line(420);
        purple[660 - 380] = 20;
        QVERIFY(std::isnan(results(purple)[SlotDominantWavelength]));
        // The test side reads no further than its count allows.
        const Spectrum s = planckian(3000);
        for (int count : {-5, 0, 200, 401, 5000}) {
            std::vector<double> out(ColorimetricResultSize, 12345.0);
            initPlanckianTable();
            calculateColorParameters(s.data(), count, out.data(), 0, 1);
            QVERIFY(std::find(out.begin(), out.end(), 12345.0) == out.end());
        }
    }
};

QTEST_GUILESS_MAIN(ColorimetryTest)
#include "tst_colorimetry.moc"
