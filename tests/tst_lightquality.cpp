// The light-quality measures against values from an independent implementation
// and against physics that must hold whatever the implementation.

#include "colorimetry.h"

#include <QtTest>
#include <cmath>
#include <numeric>
#include <vector>

namespace {
using Spectrum = std::vector<double>;

struct Band
{
    double weight, centre, sigma;
};

Spectrum gaussians(const std::vector<Band>& bands)
{
    Spectrum s(measurementCount, 0.0);
    for (int k = 0; k < measurementCount; ++k)
        for (const Band& b : bands)
            s[k] += b.weight * std::exp(-0.5 * std::pow((380 + k - b.centre) / b.sigma, 2));
    return s;
}

Spectrum planck(double T)
{
    Spectrum s(measurementCount);
    planckianSpectrum(T, measurementCount, s.data());
    return s;
}

LightQuality quality(const Spectrum& s, double lux = 500)
{
    return calculateLightQuality(s.data(), int(s.size()), lux);
}

bool near(double value, double expected, double tolerance)
{
    return std::abs(value - expected) <= tolerance;
}

bool nearRelative(double value, double expected, double relative)
{
    return near(value, expected, std::abs(expected) * relative);
}

// Sets the tested quantity in the failure message.
#define EXPECT_NEAR(value, expected, tolerance)                                                    \
    QVERIFY2(                                                                                      \
        near(value, expected, tolerance),                                                          \
        qPrintable(                                                                                \
            QStringLiteral(#value " = %1, expected %2").arg(value, 0, 'g', 10).arg(expected)))
} // namespace

Q_DECLARE_METATYPE(std::vector<Band>)
Q_DECLARE_METATYPE(std::vector<double>)

class LightQualityTest : public QObject
{
    Q_OBJECT

private slots:
    // Spectra defined by formula, against an independent implementation, within
    // the agreement expected of two correct ones. royal_red lies far below the
    // locus, whose nearest point is past 25 000 K: the search stops at the range
    // end and flags it, and TM-30 is still computed.
    void independentValues_data()
    {
        QTest::addColumn<std::vector<Band>>("bands");
        QTest::addColumn<std::vector<double>>("expected"); // T, Duv, Rf, Rg, mel EDI, PPFD
        QTest::addColumn<bool>("valid");
        QTest::newRow("triband")
            << std::vector<Band>{{1.0, 450, 10}, {1.2, 540, 20}, {1.5, 610, 15}}
            << std::vector<double>{3999.5, 0.00701, 79.24, 101.84, 257.48, 5.874} << true;
        QTest::newRow("pc_white")
            << std::vector<Band>{{1.0, 452, 9}, {2.2, 560, 55}, {0.6, 640, 30}}
            << std::vector<double>{4201.6, 0.02243, 81.25, 86.86, 287.75, 6.347} << true;
        QTest::newRow("royal_red")
            << std::vector<Band>{{1.0, 450, 9}, {1.4, 660, 10}}
            << std::vector<double>{25000, -0.2032, NAN, NAN, 2049.25, 60.623} << false;
    }
    void independentValues()
    {
        QFETCH(std::vector<Band>, bands);
        QFETCH(std::vector<double>, expected);
        QFETCH(bool, valid);
        const LightQuality q = quality(gaussians(bands));
        EXPECT_NEAR(q.cct, expected[0], 1);
        EXPECT_NEAR(q.duv, expected[1], 1e-4);
        QCOMPARE(q.cctValid, valid);
        QVERIFY(std::isnan(expected[2]) ? std::isfinite(q.tm30.rf)
                                        : near(q.tm30.rf, expected[2], 0.05));
        QVERIFY(std::isnan(expected[3]) ? std::isfinite(q.tm30.rg)
                                        : near(q.tm30.rg, expected[3], 0.05));
        QCOMPARE(q.cie2017Rf, q.tm30.rf);
        QVERIFY(nearRelative(q.edi[AlphaMelanopic], expected[4], 1e-4));
        QVERIFY(nearRelative(q.ppfd, expected[5], 1e-4));
    }

    // triband in detail: the hue bins and every α-opic EDI.
    void independentBinsAndChannels()
    {
        const LightQuality q = quality(gaussians({{1.0, 450, 10}, {1.2, 540, 20}, {1.5, 610, 15}}));
        const double rfBins[] = {78.7, 91.8, 77.8, 79.3, 79.2, 80.5, 84.8, 87.6,
                                 88.5, 71.0, 69.3, 72.1, 79.0, 85.1, 76.1, 73.9};
        const double rcsBins[] = {-10.5, -3.1,  -2.7, 2.0, 8.3,  12.6, 6.5, 0.3,
                                  -5.8,  -14.1, -2.5, 5.7, 11.5, 10.1, 4.8, 0.9};
        for (int j = 0; j < hueBinCount; ++j) {
            EXPECT_NEAR(q.tm30.binFidelity[j], rfBins[j], 0.2);
            EXPECT_NEAR(q.tm30.binChromaShift[j], rcsBins[j], 0.5);
        }
        const double edi[] = {256.63, 431.88, 490.85, 313.66, 257.48};
        for (int a = 0; a < alphaOpicCount; ++a)
            QVERIFY(nearRelative(q.edi[a], edi[a], 1e-4));
    }

    // A Planckian is its own reference; D65 is the α-opic unit; CIE A has the
    // melanopic ratio CIE S 026 gives for it.
    void referenceLights()
    {
        for (double T : {1500.0, 2700.0, 3500.0}) {
            const LightQuality q = quality(planck(T));
            EXPECT_NEAR(q.cct, T, 0.5);
            EXPECT_NEAR(q.duv, 0, 1e-6);
            QVERIFY(q.cctValid);
            EXPECT_NEAR(q.tm30.rf, 100, 1e-3);
            EXPECT_NEAR(q.tm30.rg, 100, 1e-3);
            for (int j = 0; j < hueBinCount; ++j) {
                EXPECT_NEAR(q.tm30.binChromaShift[j], 0, 1e-3);
                EXPECT_NEAR(q.tm30.binHueShift[j], 0, 1e-5);
            }
        }

        Spectrum d65(measurementCount);
        daylightSpectrum(6504, d65.data());
        const LightQuality daylight = quality(d65, 1000);
        // Above 5000 K the reference is CIE daylight: D65 is nearly its own.
        EXPECT_NEAR(daylight.tm30.rf, 100, 0.1);
        EXPECT_NEAR(daylight.tm30.rg, 100, 0.1);
        for (int a = 0; a < alphaOpicCount; ++a) {
            EXPECT_NEAR(daylight.der[a], 1, 1e-3);
            EXPECT_NEAR(daylight.edi[a], 1000, 1);
        }

        // CIE A by its defining formula (c2 = 1.435e-2 m·K, 2848 K).
        Spectrum illuminantA(measurementCount);
        for (int k = 0; k < measurementCount; ++k) {
            const double nm = 380 + k;
            illuminantA[k] = 100 * std::pow(560 / nm, 5) * std::expm1(1.435e7 / (2848 * 560)) /
                             std::expm1(1.435e7 / (2848 * nm));
        }
        EXPECT_NEAR(quality(illuminantA, 0).der[AlphaMelanopic], 0.4958, 5e-4);
    }

    // Photons of a flat spectrum by hand, the band split, and the shape of a
    // Gaussian and of spectra cut by the range.
    void photonsAndShape()
    {
        const double lux = 1000;
        const LightQuality flat = quality(Spectrum(measurementCount, 1.0), lux);
        // E(λ) = Ev / (K_m Σȳ) on every nm; a band of n samples of mean
        // wavelength λ̄ holds n·E·λ̄ / (h c N_A) mol of photons per m² and s.
        const double irradiance = lux / (683.002 * 106.8564262779);
        const auto photons = [&](int samples, double meanNm) {
            return samples * irradiance * meanNm * 1e-9 / 6.62607015e-34 / 299792458 /
                   6.02214076e23 * 1e6;
        };
        QVERIFY(nearRelative(flat.ppfd, photons(301, 550), 1e-9));
        QVERIFY(nearRelative(flat.pfdBlue, photons(100, 449.5), 1e-9));
        QVERIFY(nearRelative(flat.pfdGreen, photons(100, 549.5), 1e-9));
        QVERIFY(nearRelative(flat.pfdRed, photons(101, 650), 1e-9));
        QVERIFY(nearRelative(flat.pfdFarRed, photons(80, 740.5), 1e-9));
        EXPECT_NEAR(flat.spRatio * 683.002 * 106.8564262779 / 1700,
                    std::accumulate(std::begin(alphaOpicActionSpectra[AlphaRhodopic]),
                                    std::end(alphaOpicActionSpectra[AlphaRhodopic]), 0.0),
                    1e-9);
        EXPECT_NEAR(flat.shape.fwhm, 400, 0);
        EXPECT_NEAR(flat.shape.peak, 380, 0); // the shortest of equal samples

        const LightQuality gaussian = quality(gaussians({{2.0, 550, 10}}));
        EXPECT_NEAR(gaussian.shape.fwhm, 2.3548 * 10, 0.05);
        EXPECT_NEAR(gaussian.shape.peak, 550, 0);
        EXPECT_NEAR(gaussian.shape.centroid, 550, 1e-9);

        // A second, lower peak does not widen the run around the first; a
        // run into the range end stops there.
        const LightQuality cut = quality(gaussians({{1.0, 780, 10}, {0.8, 500, 5}}));
        EXPECT_NEAR(cut.shape.peak, 780, 0);
        EXPECT_NEAR(cut.shape.fwhm, 2.3548 * 10 / 2, 0.05);
    }

    // Nothing is made up: no light, no illuminance, too few or broken samples.
    void undetermined()
    {
        const auto allNaN = [](const LightQuality& q) {
            for (const NamedMeasure& m : lightQualityMeasures(q))
                if (!std::isnan(m.value) && m.name != "cct_valid")
                    return false;
            return !q.cctValid && std::isnan(q.tm30.sampleFidelity[98]) &&
                   std::isnan(q.tm30.testA[0]);
        };
        QVERIFY(allNaN(quality(Spectrum(measurementCount, 0.0))));
        QVERIFY(allNaN(quality(Spectrum(measurementCount - 1, 1.0))));
        Spectrum broken = planck(3000);
        broken[200] = std::numeric_limits<double>::infinity();
        QVERIFY(allNaN(quality(broken)));

        const Spectrum light = planck(3000);
        for (double lux : {0.0, -5.0, std::nan(""), HUGE_VAL}) {
            const LightQuality q = quality(light, lux);
            for (double value :
                 {q.irradiance[AlphaMelanopic], q.edi[AlphaSCone], q.ppfd, q.pfdBlue, q.pfdFarRed})
                QVERIFY(std::isnan(value));
            QVERIFY(std::isfinite(q.der[AlphaMelanopic]) && std::isfinite(q.spRatio) &&
                    std::isfinite(q.tm30.rf) && q.cctValid);
        }

        // A deep red line: the nearest Planckian is below 1000 K.
        Spectrum red(measurementCount, 0.0);
        red[700 - 380] = 1;
        const LightQuality line = quality(red);
        QCOMPARE(line.cct, ohnoCctLowest);
        QVERIFY(!line.cctValid);

        QCOMPARE(lightQualityMeasures(quality(light)).size(), size_t(3 + 2 + 3 * 16 + 1 + 15 + 9));
    }

    // The hue-bin colours go round the hue circle as the bins do: red, yellow,
    // green, blue at a quarter turn each, every component a valid sRGB value.
    void hueBinColoursFollowTheHues()
    {
        double rgb[hueBinCount][3];
        hueBinColours(rgb);
        for (const auto& c : rgb)
            for (double v : c)
                QVERIFY(v >= 0 && v <= 1);
        const auto [r0, g0, b0] = rgb[0];
        QVERIFY(r0 > g0 && r0 > b0);
        const auto [r4, g4, b4] = rgb[4];
        QVERIFY(r4 > b4 + 0.1 && g4 > b4 + 0.1);
        const auto [r8, g8, b8] = rgb[8];
        QVERIFY(g8 > r8);
        const auto [r12, g12, b12] = rgb[12];
        QVERIFY(b12 > r12 && b12 > g12);
    }
};

QTEST_APPLESS_MAIN(LightQualityTest)
#include "tst_lightquality.moc"
