#include "packedcoefficient.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

bool PackedCoefficient::toDecimal(double value, Decimal& decimal)
{
    if (!std::isfinite(value))
        return false;

    // A double's decimal expansion ends within 767 significant digits, and
    // to_chars writes as many as asked for exactly (and locale-free): the
    // digit after the seventh then decides the rounding on the true value.
    // to_chars itself would round ties to even.
    constexpr int exactDigits = 780;
    char text[exactDigits + 16];
    const auto written =
        std::to_chars(text, text + sizeof text, value, std::chars_format::scientific, exactDigits);
    if (written.ec != std::errc())
        return false;
    const char* digits = text;
    const bool negative = *digits == '-';
    if (negative)
        ++digits; // now "d.ddd…e±xx"
    const char* const e = static_cast<const char*>(std::memchr(digits, 'e', written.ptr - digits));
    if (!e || e - digits < 10)
        return false;

    long significand = digits[0] - '0';
    for (int i = 2; i <= 7; ++i)
        significand = significand * 10 + (digits[i] - '0');
    int exponent = 0;
    const char* exponentText = e + 1;
    if (*exponentText == '+')
        ++exponentText; // from_chars takes no explicit plus sign
    if (std::from_chars(exponentText, written.ptr, exponent).ec != std::errc())
        return false;

    if (digits[8] >= '5' && ++significand == 10000000) { // 9.9999995 becomes 1.000000e+1
        significand = 1000000;
        ++exponent;
    }
    decimal.significand = negative ? -significand : significand;
    decimal.exponent = exponent;
    return true;
}

bool PackedCoefficient::encode(double value, unsigned char* bytes)
{
    Decimal decimal;
    if (!toDecimal(value, decimal) || decimal.exponent < -128 || decimal.exponent > 127)
        return false;

    // The double nearest d.dddddd, as parsing the decimal text gives it.
    const double mantissa = double(decimal.significand) / 1e6;
    const int integer = static_cast<int>(mantissa); // truncates toward zero
    const std::int64_t fraction = static_cast<std::int64_t>((mantissa - integer) * 2147483648.0);
    const std::uint32_t low = static_cast<std::uint32_t>(fraction);
    bytes[0] = static_cast<unsigned char>(low & 0xFF);
    bytes[1] = static_cast<unsigned char>((low >> 8) & 0xFF);
    bytes[2] = static_cast<unsigned char>((low >> 16) & 0xFF);
    bytes[3] = static_cast<unsigned char>((low >> 24) & 0xFF);
    bytes[4] = static_cast<unsigned char>(integer & 0xFF);
    bytes[5] = static_cast<unsigned char>(decimal.exponent & 0xFF);
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
