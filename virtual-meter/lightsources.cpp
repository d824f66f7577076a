#include "lightsources.h"

#include "colorimetry.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

namespace vm {

namespace {
using Spectrum = std::array<double, spectrumPoints>;

double wavelength(int i)
{
    return 380.0 + i;
}

Spectrum tabulate(const std::function<double(double)>& f)
{
    Spectrum s;
    for (int i = 0; i < spectrumPoints; ++i)
        s[i] = f(wavelength(i));
    return s;
}

// Planckian and CIE daylight spectra as the colorimetry computes them.
Spectrum planckian(double kelvin)
{
    Spectrum s;
    planckianSpectrum(kelvin, spectrumPoints, s.data());
    return s;
}

Spectrum daylight(double kelvin)
{
    Spectrum s;
    daylightSpectrum(kelvin, s.data());
    return s;
}

// An emission band; a phosphor's band falls off more slowly on its red side.
Spectrum band(double peak, double fwhmBlue, double fwhmRed)
{
    return tabulate([=](double nm) {
        const double w = (nm < peak ? fwhmBlue : fwhmRed) / 2.3548;
        return std::exp(-0.5 * (nm - peak) * (nm - peak) / (w * w));
    });
}

Spectrum band(double peak, double fwhm)
{
    return band(peak, fwhm, fwhm);
}

Spectrum mix(std::initializer_list<std::pair<double, Spectrum>> parts)
{
    Spectrum s{};
    for (const auto& [weight, part] : parts)
        for (int i = 0; i < spectrumPoints; ++i)
            s[i] += weight * part[i];
    return s;
}

struct LightSource
{
    const char* label;
    double lux;
    std::function<Spectrum()> spectrum;
};

const std::vector<LightSource>& lightSources()
{
    static const std::vector<LightSource> sources = {
        {"incandescent lamp, 2856 K", 412.0, [] { return planckian(2856); }},
        {"daylight D65", 10850.0, [] { return daylight(6504); }},
        {"cool white LED, 6000 K", 520.0,
         [] {
             return mix({{1.0, band(451, 19)}, {0.46, band(555, 100, 150)}});
         }},
        {"warm white LED, 2700 K", 305.0,
         [] {
             // Yellow-green garnet plus a red nitride phosphor.
             return mix(
                 {{0.5, band(450, 18)}, {0.5, band(545, 100, 110)}, {1.0, band(620, 85, 95)}});
         }},
        {"tri-phosphor fluorescent lamp, 4000 K", 498.0,
         [] {
             // Mercury lines, the narrow green and red phosphor lines and a
             // weak blue phosphor band over a faint continuum.
             return mix({{0.005, tabulate([](double) { return 1.0; })},
                         {0.08, band(452, 48)},
                         {0.08, band(404.7, 2.5)},
                         {0.30, band(435.8, 2.5)},
                         {0.10, band(487, 6)},
                         {1.15, band(545.5, 6)},
                         {0.14, band(578, 4)},
                         {0.20, band(587, 5)},
                         {0.80, band(611, 6)},
                         {0.25, band(626, 8)}});
         }},
        {"halogen lamp, 3200 K", 765.0, [] { return planckian(3200); }},
        {"daylight D50", 5230.0, [] { return daylight(5003); }},
        {"RGB LED, white mix", 248.0,
         [] {
             return mix({{0.5, band(462, 22)}, {0.5, band(527, 33)}, {1.2, band(632, 17)}});
         }},
        {"amber LED, 590 nm", 84.0, [] { return band(591, 15); }},
        {"horticultural LED, 450 nm + 660 nm", 152.0,
         [] {
             return mix({{0.6, band(451, 20)}, {1.0, band(662, 21)}});
         }},
        {"high-CRI violet-pumped LED, 4000 K", 742.0,
         [] {
             return mix({{0.35, band(410, 15)},
                         {0.40, band(455, 45)},
                         {0.60, band(530, 100)},
                         {0.80, band(635, 110, 130)}});
         }},
        {"north-sky daylight, 9500 K", 14300.0, [] { return daylight(9500); }},
    };
    return sources;
}

// Uniform in [0, 1) from the engine's raw output; the standard's distributions
// differ between libraries, mt19937 itself does not.
double uniform(std::mt19937& rng)
{
    return (rng() >> 8) * (1.0 / 16777216.0);
}
} // namespace

std::vector<StoredRecord> defaultRecords(int count)
{
    std::mt19937 rng(900);
    std::vector<StoredRecord> records;
    records.reserve(std::max(count, 0));
    const auto& sources = lightSources();
    std::vector<Spectrum> spectra;
    for (const auto& source : sources) {
        Spectrum s = source.spectrum();
        const double peak = *std::max_element(s.begin(), s.end());
        for (double& v : s)
            v /= peak;
        spectra.push_back(s);
    }

    for (int n = 0; n < count; ++n) {
        const std::size_t model = std::size_t(n) % sources.size();
        StoredRecord r;
        r.label = sources[model].label;
        // One measurement a day or so, in working hours.
        r.year = 2026 + n / 336;
        r.month = 1 + (n / 28) % 12;
        r.day = 1 + n % 28;
        r.hour = 8 + (n * 7) % 11;
        r.minute = (n * 17 + 4) % 60;
        r.second = (n * 29 + 11) % 60;

        const double repeat = n < int(sources.size()) ? 1.0 : 0.85 + 0.3 * uniform(rng);
        r.illuminance =
            std::round(sources[model].lux * repeat * (0.98 + 0.04 * uniform(rng)) * 100) / 100;
        const double calibration = 0.995 + 0.01 * uniform(rng);
        const double peakCounts = 18000 + 40000 * uniform(rng);
        double luminousCounts = 0; // Σ counts · ȳ
        for (int i = 0; i < spectrumPoints; ++i) {
            const double shot = 1 + 0.004 * (2 * uniform(rng) - 1);
            const double floorNoise = 3 * uniform(rng);
            const double counts = peakCounts * spectra[model][i] * shot + floorNoise;
            r.intensity[i] =
                static_cast<std::uint16_t>(std::clamp(std::lround(counts), 0L, 65535L));
            luminousCounts += r.intensity[i] * cmf2Deg[1][i];
        }
        // The meter's counts-to-radiometric factor: it makes the reported Y the
        // illuminance, within the calibration's tolerance.
        r.ratio =
            calibration * r.illuminance * tristimulusDivisor / (luminousCounts * tristimulusScale);
        records.push_back(r);
    }
    return records;
}

} // namespace vm
