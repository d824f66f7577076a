#pragma once

// Published CIE tables, generated at build time from the CSV files beside this header.
// Every table starts at 380 nm and ends at 780 nm.

// CIE 1931 2° and CIE 1964 10° colour-matching functions, rows x̄, ȳ, z̄, 1 nm.
extern const double cmf2Deg[3][401];
extern const double cmf10Deg[3][401];

// Spectral radiance factors of test colour samples 1 to 15, 5 nm.
extern const double testColorSamples[15][81];

// Daylight components, 10 nm.
extern const double daylightS0[41];
extern const double daylightS1[41];
extern const double daylightS2[41];

// CIE 1931 spectrum locus, 5 decimals, 1 nm.
extern const double spectralLocusX[401];
extern const double spectralLocusY[401];

// CIE 1931 spectrum locus, 4 decimals, 5 nm.
extern const double spectralLocus5nmX[81];
extern const double spectralLocus5nmY[81];

// CIE S 026 α-opic action spectra, rows sc, mc, lc, rh, mel, each with peak 1,
// 1 nm; 0 where the standard tabulates nothing.
extern const double alphaOpicActionSpectra[5][401];

// Spectral reflectance factors of the 99 colour evaluation samples of
// ANSI/IES TM-30-20 and CIE 224:2017, 1 nm.
extern const double colorEvaluationSamples[99][401];
