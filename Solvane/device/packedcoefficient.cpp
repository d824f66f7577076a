#include "packedcoefficient.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

bool PackedCoefficient::encode(double value, unsigned char* bytes)
{
    if (!std::isfinite(value))
        return false;

    // The decimal text "d.dddddde±xx" fixes mantissa and exponent; to_chars
    // is locale-independent and rounds exactly like Qt's number formatting.
    char text[32];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, 6);
    if (written.ec != std::errc())
        return false;
    const char* const end = written.ptr;
    const char* const e = static_cast<const char*>(std::memchr(text, 'e', end - text));
    if (!e)
        return false;

    double mantissa = 0;
    int exponent = 0;
    const char* exponentText = e + 1;
    if (*exponentText == '+')
        ++exponentText; // from_chars takes no explicit plus sign
    if (std::from_chars(text, e, mantissa).ec != std::errc() ||
        std::from_chars(exponentText, end, exponent).ec != std::errc())
        return false;
    if (exponent < -128 || exponent > 127)
        return false;

    const int integer = static_cast<int>(mantissa); // truncates toward zero
    const std::int64_t fraction = static_cast<std::int64_t>((mantissa - integer) * 2147483648.0);
    const std::uint32_t low = static_cast<std::uint32_t>(fraction);
    bytes[0] = static_cast<unsigned char>(low & 0xFF);
    bytes[1] = static_cast<unsigned char>((low >> 8) & 0xFF);
    bytes[2] = static_cast<unsigned char>((low >> 16) & 0xFF);
    bytes[3] = static_cast<unsigned char>((low >> 24) & 0xFF);
    bytes[4] = static_cast<unsigned char>(integer & 0xFF);
    bytes[5] = static_cast<unsigned char>(exponent & 0xFF);
    return true;
}

double PackedCoefficient::decode(const unsigned char* bytes)
{
    const std::uint32_t low = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                              std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    const std::int32_t fraction = static_cast<std::int32_t>(low);
    const int integer = static_cast<signed char>(bytes[4]);
    const int exponent = static_cast<signed char>(bytes[5]);
    return (integer + fraction * (1.0 / 2147483648.0)) * std::pow(10.0, exponent);
}
