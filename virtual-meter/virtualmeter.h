#pragma once

#include "metercommands.h"
#include "meterconfig.h"
#include "packedcoefficient.h"
#include "storedrecord.h"

#include <array>
#include <cstdint>
#include <random>
#include <vector>

namespace vm {

// A meter in software: its memory and its answers to every command, with the
// byte layouts of the real one. The library's four exports lead here.
class VirtualMeter
{
public:
    enum class Channel
    {
        Read,
        Write,
        Command
    };

    explicit VirtualMeter(MeterConfig config);

    // One exchange; > 0 on success, 0 on failure, like the real library.
    long exchange(Channel channel, std::uint32_t id, std::uint32_t loc, std::uint32_t count,
                  unsigned char* buf);

private:
    long read(std::uint32_t id, std::uint32_t loc, std::uint32_t count, unsigned char* buf);
    long write(std::uint32_t id, std::uint32_t loc, std::uint32_t count, const unsigned char* buf);
    long command(std::uint32_t id, std::uint32_t loc);
    void fillRawFrame(std::uint32_t block, std::uint32_t count, unsigned char* buf) const;
    void fillTestResult(unsigned char* buf) const;
    const StoredRecord& currentLight() const;

    MeterConfig config;
    std::vector<StoredRecord> memory;
    StoredRecord fallbackLight;
    std::mt19937 garbage;

    std::uint16_t integrationTime = 1000; // on the wire: ten times the time
    std::array<unsigned char, PackedCoefficient::byteCount * MeterCommand::wavelengthCoefficients>
        wavelengthCoefficients{};
    std::array<unsigned char, PackedCoefficient::byteCount * MeterCommand::intensityCoefficients>
        intensityCoefficientTable{};
    std::array<unsigned char, PackedCoefficient::byteCount> illuminanceCoefficient{};
    bool testFinished = false;
};

// Writes one line to the host's standard error, prefixed "virtual meter:".
void logLine(const std::string& text);

} // namespace vm
