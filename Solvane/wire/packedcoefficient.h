#pragma once

// The meter's 6-byte number format for calibration coefficients and measured
// illuminance: a signed 32-bit fraction of 2^-31, a signed 8-bit integer part
// (together the mantissa) and a signed 8-bit decimal exponent, little-endian.
// The host and the virtual meter share this one codec.
namespace PackedCoefficient {

constexpr int byteCount = 6;

// A value rounded to seven significant digits:
// significand * 10^(exponent - 6), |significand| in 1000000..9999999 (0 for zero).
struct Decimal
{
    long significand = 0;
    int exponent = 0;
};

// Rounds half away from zero on the exact value of the double, giving the
// digits of Qt's QString::number(value, 'e', 6), which the meter's peers use.
// False when the value is not finite.
bool toDecimal(double value, Decimal& decimal);

// Writes the six bytes of value. Returns false, writing nothing, when the value
// has no packed form: not finite, or a decimal exponent outside -128..127.
bool encode(double value, unsigned char* bytes);

double decode(const unsigned char* bytes);

} // namespace PackedCoefficient
