#pragma once

// The meter's 6-byte number format for calibration coefficients and measured
// illuminance: a signed 32-bit fraction of 2^-31, a signed 8-bit integer part
// (together the mantissa) and a signed 8-bit decimal exponent, little-endian.
// Qt-free, so that the virtual meter speaks the same format.
namespace PackedCoefficient {

constexpr int byteCount = 6;

// Writes the six bytes of value. Returns false, writing nothing, when the value
// has no packed form: not finite, or a decimal exponent outside -128..127.
bool encode(double value, unsigned char* bytes);

double decode(const unsigned char* bytes);

} // namespace PackedCoefficient
