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

bool sameOrBothNaN(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
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
        QCOMPARE(cmf2Deg[1][175], 1.0);
        QCOMPARE(cmf10Deg[1][177], 1.0);
        QCOMPARE(cmf2Deg[2][400], 0.0);
        QCOMPARE(spectralLocusX[175], 0.33736);
        QCOMPARE(spectralLocusY[175], 0.65885);
        QCOMPARE(testColorSamples[14][80], 0.611);
        QCOMPARE(daylightS0[18], 100.0);
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

    void planckianLocus()
    {
        initPlanckianTable();
        struct Row
        {
            PlanckianPoint p;
            double u, v, t;
        };
        PlanckianPoint at6500;
        planckianLocusPoint(6500, &at6500.u, &at6500.v, &at6500.t);
        for (const Row& r : {Row{PlanckianTable[0], 0.323073, 0.360188, -25.922},
                             Row{PlanckianTable[100], 0.183466, 0.275875, -0.318020},
                             Row{at6500, 0.200445, 0.310379, -0.726025}}) {
            QVERIFY(std::abs(r.p.u - r.u) < 1e-6 && std::abs(r.p.v - r.v) < 1e-6);
            QVERIFY(std::abs(r.p.t - r.t) < 1e-3);
        }
        // Table rows are the very points the refinement computes.
        PlanckianPoint at1800;
        planckianLocusPoint(1800, &at1800.u, &at1800.v, &at1800.t);
        QVERIFY(at1800.u == PlanckianTable[0].u && at1800.t == PlanckianTable[0].t);
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
        calculateCCT(NAN, NAN, &cct, &duv);
        QCOMPARE(cct, 21800.0);
        QVERIFY(std::isnan(duv));
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

    // Up to 5000 K the reference is Planckian, above it daylight (the 7000 K
    // switch of the daylight formula is compared with the reference
    // implementation in the cross-check).
    void referenceSwitches()
    {
        const auto reference = [](double T) {
            double ur, vr, cr, dr, U[15], V[15], W[15];
            calculateReferenceIlluminant(T, &ur, &vr, &cr, &dr, U, V, W);
            return std::make_pair(ur, vr);
        };
        const auto uv = [](const Spectrum& s) {
            double X, Y, Z, u, v;
            calculateTristimulus(s.data(), measurementCount, &X, &Y, &Z);
            chromaticityUV(X, Y, Z, &u, &v);
            return std::make_pair(u, v);
        };
        Spectrum planck5000(measurementCount);
        planckianSpectrum(5000, measurementCount, planck5000.data(), planckC1Reference);
        QCOMPARE(reference(5000), uv(planck5000));
        QCOMPARE(reference(5001), uv(cieDaylight(5001)));

        Spectrum s(tenNmCount);
        daylightSpectrum10nm(7001, s.data());
        // Interpolated to 1 nm, the 10-nm points stay as they are.
        const Spectrum fine = cieDaylight(7001);
        for (int k = 0; k < tenNmCount; ++k)
            QCOMPARE(fine[10 * k], s[k]);
    }

    // The observer decides u' and v' only; the ratio scales X, Y, Z only.
    void observerAndRatio()
    {
        for (const Spectrum& s : {planckian(2856), line(620), cieDaylight(6504), line(700)}) {
            const auto base = results(s);
            const auto tenDegree = results(s, 1);
            QCOMPARE(currentObserver, 0);
            const auto noRatio = results(s, 0, 0);
            for (int slot = 0; slot < ColorimetricResultSize; ++slot) {
                const bool observerSlot = slot == SlotU1976 || slot == SlotV1976;
                const bool ratioSlot = slot >= SlotTristimulusX && slot <= SlotTristimulusZ;
                QCOMPARE(sameOrBothNaN(tenDegree[slot], base[slot]), !observerSlot);
                QVERIFY(ratioSlot ? noRatio[slot] == 0 : sameOrBothNaN(noRatio[slot], base[slot]));
            }
        }
        double X, Y, Z;
        const Spectrum s = planckian(4000);
        calculateTristimulus(s.data(), measurementCount, &X, &Y, &Z);
        QCOMPARE(results(s, 0, 2.5)[SlotTristimulusY], Y * 2.5 * 47080 / 13.785);
    }

    // Nothing determined: NaN in every undetermined slot, every slot written.
    void darkAndShortSpectra()
    {
        const auto r = results(Spectrum(measurementCount, 0.0), 1);
        for (int slot : {int(SlotX1931), int(SlotY1931), int(SlotU1976), int(SlotV1976),
                         int(SlotDuv), int(SlotDominantWavelength), int(SlotRa), SlotR1 + 14})
            QVERIFY(std::isnan(r[slot]));
        QCOMPARE(r[SlotCCT], 21800.0);
        QCOMPARE(r[SlotTristimulusY], 0.0);
        // Purple light has no dominant wavelength.
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
