#pragma once

// Where each field sits in the meter's two measurement answers, so that the
// host's decoder and the virtual meter's encoder cannot drift apart.

#include "metercommands.h"
#include "packedcoefficient.h"

// The answer to ReadStoredData, little-endian.
namespace StoredRecordFormat {

// The year, 16-bit; noRecordYear there marks an erased slot, past the last record.
constexpr int year = 0;
constexpr unsigned noRecordYear = 0xFFFF;
// One byte each.
constexpr int month = 2;
constexpr int day = 3;
constexpr int hour = 4;
constexpr int minute = 5;
constexpr int second = 6;
// Doubles, unaligned, around spectrumPoints 16-bit counts.
constexpr int illuminance = 7;
constexpr int intensities = 15;
constexpr int ratio = intensities + 2 * MeterCommand::spectrumPoints;
static_assert(ratio + 8 == MeterCommand::storedRecordBytes, "stored record size");

} // namespace StoredRecordFormat

// The answer to ReadTestResult, little-endian.
namespace TestResultFormat {

// The illuminance in the packed format, then spectrumPoints 16-bit counts.
constexpr int illuminance = 0;
constexpr int intensities = illuminance + PackedCoefficient::byteCount;
static_assert(intensities + 2 * MeterCommand::spectrumPoints == MeterCommand::testResultBytes,
              "test result size");

} // namespace TestResultFormat
