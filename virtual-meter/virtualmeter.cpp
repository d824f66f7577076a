#include "virtualmeter.h"

#include "lightsources.h"
#include "littleendian.h"
#include "metercommands.h"
#include "packedcoefficient.h"
#include "recordformat.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <thread>

namespace vm {

using namespace MeterCommand;
using LittleEndian::writeU16;

namespace {
constexpr std::uint32_t rawBlockPixels = originalDataBlock;
constexpr std::uint32_t rawBlocks = (originalDataValues + rawBlockPixels - 1) / rawBlockPixels;
constexpr std::uint32_t lastRawBlockPixels = originalDataValues - (rawBlocks - 1) * rawBlockPixels;

constexpr std::uint32_t packedBytes = PackedCoefficient::byteCount;
constexpr std::uint32_t intensityReadBlocks = intensityCoefficients / intensityReadBlock;
constexpr std::uint32_t intensityReadBytes = packedBytes * intensityReadBlock;
constexpr std::uint32_t intensityWriteBlocks = intensityCoefficients / intensityWriteBlock;
constexpr std::uint32_t intensityWriteBytes = packedBytes * intensityWriteBlock;

// The sensor's true pixel-to-wavelength mapping, which the factory wavelength
// coefficients describe: 330 nm + 0.16 nm per pixel.
constexpr double firstPixelNm = 330.0;
constexpr double nmPerPixel = 0.16;

bool loadRecords(const std::string& path, std::vector<StoredRecord>* records)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        logLine("cannot read records file '" + path + "'; serving no records");
        return false;
    }
    std::string line;
    int number = 0;
    while (std::getline(in, line)) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line[0] == '#')
            continue;
        StoredRecord record;
        std::string error;
        if (!parseRecord(line, &record, &error)) {
            logLine(path + ":" + std::to_string(number) + ": " + error + "; serving no records");
            return false;
        }
        records->push_back(record);
    }
    return true;
}
} // namespace

void logLine(const std::string& text)
{
    std::fprintf(stderr, "virtual meter: %s\n", text.c_str());
    std::fflush(stderr);
}

VirtualMeter::VirtualMeter(MeterConfig settings)
    : config(std::move(settings)), garbage(config.garbageSeed)
{
    for (const std::string& problem : config.problems)
        logLine(problem + "; serving no records");
    if (config.usable) {
        if (!config.recordsFile.empty()) {
            if (!loadRecords(config.recordsFile, &memory))
                memory.clear();
        } else {
            memory = defaultRecords(config.recordCount);
        }
    }
    fallbackLight = defaultRecords(2)[1]; // daylight, when the memory is empty

    // Factory calibration: the true pixel mapping and unit factors.
    const double wavelength[MeterCommand::wavelengthCoefficients] = {firstPixelNm, nmPerPixel};
    for (int i = 0; i < MeterCommand::wavelengthCoefficients; ++i)
        PackedCoefficient::encode(wavelength[i], wavelengthCoefficients.data() + packedBytes * i);
    for (int i = 0; i < intensityCoefficients; ++i)
        PackedCoefficient::encode(1.0, intensityCoefficientTable.data() + packedBytes * i);
    PackedCoefficient::encode(1.0, illuminanceCoefficient.data());
}

long VirtualMeter::exchange(Channel channel, std::uint32_t id, std::uint32_t loc,
                            std::uint32_t count, unsigned char* buf)
{
    if (config.latencyMs > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(config.latencyMs));
    if (config.disconnected)
        return 0;
    if (count > 0 && !buf) {
        logLine("command " + std::to_string(id) + ": no buffer for " + std::to_string(count) +
                " bytes");
        return 0;
    }
    switch (channel) {
    case Channel::Read:
        return read(id, loc, count, buf);
    case Channel::Write:
        return write(id, loc, count, buf);
    case Channel::Command:
        return count == 0 ? command(id, loc) : 0;
    }
    return 0;
}

long VirtualMeter::read(std::uint32_t id, std::uint32_t loc, std::uint32_t count,
                        unsigned char* buf)
{
    std::uint32_t expected = 0;
    switch (id) {
    case ReadIntegrationTime:
        expected = 2;
        break;
    case ReadOriginalData:
        if (loc < rawBlocks)
            expected = 2 * (loc < rawBlocks - 1 ? rawBlockPixels : lastRawBlockPixels);
        break;
    case ReadWavelengthCoefficient:
        expected = wavelengthCoefficients.size();
        break;
    case ReadIntensityCoefficient:
        expected = loc < intensityReadBlocks ? intensityReadBytes : 0;
        break;
    case ReadIlluminanceCoefficient:
        expected = illuminanceCoefficient.size();
        break;
    case ReadyStatus:
        expected = 1;
        break;
    case ReadTestResult:
        expected = testFinished ? testResultBytes : 0;
        break;
    case ReadStoredData:
        expected = storedRecordBytes;
        break;
    default:
        break;
    }
    if (expected == 0 || count != expected) {
        logLine("read command " + std::to_string(id) + " at " + std::to_string(loc) + " with " +
                std::to_string(count) + " bytes refused");
        return 0;
    }
    if (id == ReadStoredData && config.failAt >= 0 && loc == config.failAt)
        return 0;

    const bool recordMissing = id == ReadStoredData && loc >= memory.size();
    if (config.garbage) {
        for (std::uint32_t i = 0; i < count; ++i)
            buf[i] = static_cast<unsigned char>(garbage() & 0xFF);
        if (recordMissing) // keeps a read-out finite: past the memory lies the end marker
            writeU16(buf + StoredRecordFormat::year, StoredRecordFormat::noRecordYear);
        return long(count);
    }

    switch (id) {
    case ReadIntegrationTime:
        writeU16(buf, integrationTime);
        break;
    case ReadOriginalData:
        fillRawFrame(loc, count, buf);
        break;
    case ReadWavelengthCoefficient:
        std::copy(wavelengthCoefficients.begin(), wavelengthCoefficients.end(), buf);
        break;
    case ReadIntensityCoefficient:
        std::copy_n(intensityCoefficientTable.begin() + intensityReadBytes * loc,
                    intensityReadBytes, buf);
        break;
    case ReadIlluminanceCoefficient:
        std::copy(illuminanceCoefficient.begin(), illuminanceCoefficient.end(), buf);
        break;
    case ReadyStatus:
        buf[0] = testFinished ? 1 : 0;
        break;
    case ReadTestResult:
        fillTestResult(buf);
        break;
    case ReadStoredData:
        if (recordMissing)
            std::fill_n(buf, count, 0xFF); // an erased memory slot
        else
            encodeRecord(memory[loc], buf);
        break;
    }
    return long(count);
}

long VirtualMeter::write(std::uint32_t id, std::uint32_t loc, std::uint32_t count,
                         const unsigned char* buf)
{
    if (id == SetIntegrationTime && loc == 0 && count == 2) {
        integrationTime = static_cast<std::uint16_t>(LittleEndian::readU16(buf));
    } else if (id == SaveWavelengthCoefficient && loc == 0 &&
               count == wavelengthCoefficients.size()) {
        std::copy_n(buf, count, wavelengthCoefficients.begin());
    } else if (id == SaveIntensityCoefficient && loc < intensityWriteBlocks &&
               count == intensityWriteBytes) {
        std::copy_n(buf, count, intensityCoefficientTable.begin() + intensityWriteBytes * loc);
    } else if (id == SaveIlluminanceCoefficient && loc == 0 &&
               count == illuminanceCoefficient.size()) {
        std::copy_n(buf, count, illuminanceCoefficient.begin());
    } else {
        logLine("write command " + std::to_string(id) + " at " + std::to_string(loc) + " with " +
                std::to_string(count) + " bytes refused");
        return 0;
    }
    return long(count);
}

long VirtualMeter::command(std::uint32_t id, std::uint32_t loc)
{
    switch (id) {
    case SaveIntegrationTime: // accepted; the simulated meter is never switched off
        if (loc != 2)
            break;
        return 1;
    case StopOriginalData:
        return 1;
    case StartTest:
        testFinished = true;
        return 1; // the simulated test is instantaneous
    default:
        break;
    }
    logLine("command " + std::to_string(id) + " with parameter " + std::to_string(loc) +
            " refused");
    return 0;
}

const StoredRecord& VirtualMeter::currentLight() const
{
    return memory.empty() ? fallbackLight : memory.front();
}

// The uncalibrated frame: dark level plus the light seen through the
// sensor's responsivity, growing with the integration time until it clips.
void VirtualMeter::fillRawFrame(std::uint32_t block, std::uint32_t count, unsigned char* buf) const
{
    const StoredRecord& light = currentLight();
    const double peak =
        std::max<double>(1.0, *std::max_element(light.intensity.begin(), light.intensity.end()));
    const double exposure = integrationTime / 1000.0; // 1.0 at the factory time
    for (std::uint32_t k = 0; k < count / 2; ++k) {
        const std::uint32_t pixel = block * rawBlockPixels + k;
        const double nm = firstPixelNm + nmPerPixel * pixel;
        double relative = 0;
        if (nm >= 380 && nm <= 780) {
            const int i = std::min(int(nm - 380), spectrumPoints - 2);
            const double f = nm - 380 - i;
            relative = (light.intensity[i] * (1 - f) + light.intensity[i + 1] * f) / peak;
        }
        const double responsivity = 0.25 + 0.75 * std::exp(-0.5 * std::pow((nm - 640) / 150, 2));
        const double dark = 820 + 15 * std::sin(pixel * 0.37);
        const double counts = dark + 42000 * exposure * responsivity * relative;
        const auto value = static_cast<std::uint16_t>(std::clamp(std::lround(counts), 0L, 65535L));
        writeU16(buf + 2 * k, value);
    }
}

void VirtualMeter::fillTestResult(unsigned char* buf) const
{
    const StoredRecord& light = currentLight();
    unsigned char* const illuminance = buf + TestResultFormat::illuminance;
    if (!PackedCoefficient::encode(light.illuminance, illuminance))
        std::fill_n(illuminance, PackedCoefficient::byteCount, 0);
    for (int i = 0; i < spectrumPoints; ++i)
        writeU16(buf + TestResultFormat::intensities + 2 * i, light.intensity[i]);
}

} // namespace vm
