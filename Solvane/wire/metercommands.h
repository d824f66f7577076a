#pragma once

// The meter's command codes and the sizes of its answers and blocks, for the
// host's command set and the virtual meter alike.
namespace MeterCommand {

enum Code : unsigned
{
    SetIntegrationTime = 0,
    ReadIntegrationTime = 1,
    SaveIntegrationTime = 2,
    ReadOriginalData = 3,
    StopOriginalData = 4,
    SaveWavelengthCoefficient = 5,
    ReadWavelengthCoefficient = 6,
    SaveIntensityCoefficient = 7,
    ReadIntensityCoefficient = 8,
    SaveIlluminanceCoefficient = 9,
    ReadIlluminanceCoefficient = 10,
    StartTest = 11,
    ReadyStatus = 12,
    ReadTestResult = 13,
    ReadStoredData = 17,
};

constexpr int spectrumPoints = 401; // 380 nm to 780 nm in 1-nm steps
constexpr int storedRecordBytes = 825;
constexpr int testResultBytes = 6 + 2 * spectrumPoints;
constexpr int originalDataValues = 3000;
constexpr int originalDataBlock = 450; // values per block; the seventh holds 300
constexpr int wavelengthCoefficients = 6;
constexpr int intensityCoefficients = 420;
constexpr int intensityWriteBlock = 6;  // coefficients per write
constexpr int intensityReadBlock = 105; // coefficients per read

} // namespace MeterCommand
