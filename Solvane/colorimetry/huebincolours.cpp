#include "huebincolours.h"

#include "ciecam02.h"
#include "cietables.h"
#include "colorrendering.h"
#include "spectralgrid.h"

#include <algorithm>
#include <cmath>

namespace {

// IEC 61966-2-1: linear sRGB from XYZ (D65 white at Y = 1), then the transfer curve.
void xyzToSrgb(const double* xyz, double* rgb)
{
    static const double matrix[3][3] = {{3.2404542, -1.5371385, -0.4985314},
                                        {-0.9692660, 1.8760108, 0.0415560},
                                        {0.0556434, -0.2040259, 1.0572252}};
    for (int c = 0; c < 3; ++c) {
        double linear = matrix[c][0] * xyz[0] + matrix[c][1] * xyz[1] + matrix[c][2] * xyz[2];
        linear = std::clamp(linear, 0.0, 1.0);
        rgb[c] = linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1 / 2.4) - 0.055;
    }
}

} // namespace

void hueBinColours(double rgb[hueBinCount][3])
{
    double d65[measurementCount];
    daylightSpectrum(6504, d65);
    // The bin by the 10° observer, as the fidelity measures bin; the colour by
    // the 2° observer, for which sRGB is defined.
    double white10[3] = {0, 0, 0}, white2[3] = {0, 0, 0};
    for (int c = 0; c < 3; ++c)
        for (int k = 0; k < measurementCount; ++k) {
            white10[c] += d65[k] * cmf10Deg[c][k];
            white2[c] += d65[k] * cmf2Deg[c][k];
        }
    const double scale10 = 100 / white10[1], scale2 = 1 / white2[1];
    for (double& w : white10)
        w *= scale10;
    const CamWhite adopted = camWhite(white10);

    double sum[hueBinCount][3] = {};
    int count[hueBinCount] = {};
    for (int i = 0; i < colorEvaluationSampleCount; ++i) {
        const double* R = colorEvaluationSamples[i];
        double xyz10[3] = {0, 0, 0}, xyz2[3] = {0, 0, 0};
        for (int c = 0; c < 3; ++c)
            for (int k = 0; k < measurementCount; ++k) {
                xyz10[c] += R[k] * d65[k] * cmf10Deg[c][k] * scale10;
                xyz2[c] += R[k] * d65[k] * cmf2Deg[c][k] * scale2;
            }
        const UcsColor colour = cam02Ucs(adopted, xyz10);
        double hue = std::atan2(colour.b, colour.a) * 180 / 3.14159265358979323846;
        if (hue < 0)
            hue += 360;
        const int bin = std::min(int(hue / 22.5), hueBinCount - 1);
        for (int c = 0; c < 3; ++c)
            sum[bin][c] += xyz2[c];
        ++count[bin];
    }
    for (int j = 0; j < hueBinCount; ++j) {
        double mean[3];
        for (int c = 0; c < 3; ++c)
            mean[c] = count[j] ? sum[j][c] / count[j] : 0.5;
        xyzToSrgb(mean, rgb[j]);
    }
}
