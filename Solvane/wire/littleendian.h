#pragma once

// The meter's numbers travel little-endian, its doubles at odd offsets: these
// read and write them byte by byte, whatever the host's order and alignment.

#include <cstdint>
#include <cstring>

namespace LittleEndian {

inline unsigned readU16(const unsigned char* bytes)
{
    return unsigned(bytes[0]) | unsigned(bytes[1]) << 8;
}

inline void writeU16(unsigned char* bytes, unsigned value)
{
    bytes[0] = static_cast<unsigned char>(value & 0xFF);
    bytes[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}

// Bit for bit, NaN payloads included.
inline double readDouble(const unsigned char* bytes)
{
    std::uint64_t bits = 0;
    for (int i = 0; i < 8; ++i)
        bits |= std::uint64_t(bytes[i]) << (8 * i);
    double value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

inline void writeDouble(unsigned char* bytes, double value)
{
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    for (int i = 0; i < 8; ++i)
        bytes[i] = static_cast<unsigned char>((bits >> (8 * i)) & 0xFF);
}

} // namespace LittleEndian
