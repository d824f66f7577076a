#pragma once

// Display colours of the 16 TM-30 hue bins: the mean colour of each bin's
// colour evaluation samples under CIE D65, as sRGB. Graphics draw the bins in
// these colours, so that a bin reads as the hue it stands for.

#include "colorfidelity.h"

// rgb[j]: bin j's gamma-encoded sRGB, each component in [0, 1].
void hueBinColours(double rgb[hueBinCount][3]);
