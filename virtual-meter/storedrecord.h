#pragma once

#include "metercommands.h"

#include <array>
#include <cstdint>
#include <string>

namespace vm {

using MeterCommand::spectrumPoints;
using MeterCommand::storedRecordBytes;

// One measurement as the meter keeps it in its memory.
struct StoredRecord
{
    int year = 2026, month = 1, day = 1, hour = 0, minute = 0, second = 0;
    double illuminance = 0;
    std::array<std::uint16_t, spectrumPoints> intensity{};
    double ratio = 1;
    std::string label; // what the light was; kept in record files as a comment
};

// The meter's answer to the stored-record command, storedRecordBytes long.
void encodeRecord(const StoredRecord& record, unsigned char* bytes);

// The text form of a record in a records file: one line,
//   YYYY-MM-DDTHH:MM:SS,illuminance,ratio,intensities (spectrumPoints of them)
std::string formatRecord(const StoredRecord& record);

// Parses one line of a records file; on failure says why in *error.
bool parseRecord(const std::string& line, StoredRecord* record, std::string* error);

} // namespace vm
