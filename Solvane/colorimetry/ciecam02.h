#pragma once

// CIECAM02 (CIE 159:2004) and its uniform colour space CAM02-UCS (Luo, Cui
// and Li 2006), for the viewing conditions of ANSI/IES TM-30-20 and CIE
// 224:2017: adapting luminance 100 cd/m², background Y_b = 20, average
// surround, complete adaptation, the white at Y = 100.

// What depends on the adopted white: the von Kries gains and its achromatic
// response.
struct CamWhite
{
    double gain[3];
    double achromatic;
};

// xyz: the white's tristimulus values with Y = 100.
CamWhite camWhite(const double* xyz);

// CAM02-UCS J′, a′, b′ of a colour seen under that white.
struct UcsColor
{
    double J, a, b;
};
UcsColor cam02Ucs(const CamWhite& white, const double* xyz);
