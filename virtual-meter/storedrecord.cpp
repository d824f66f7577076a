#include "storedrecord.h"

#include "littleendian.h"
#include "recordformat.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

namespace vm {

namespace {
namespace Layout = StoredRecordFormat;

std::vector<std::string> splitFields(const std::string& line)
{
    std::vector<std::string> fields;
    std::string field;
    std::istringstream in(line);
    while (std::getline(in, field, ','))
        fields.push_back(field);
    if (!line.empty() && line.back() == ',')
        fields.emplace_back();
    return fields;
}

bool parseDouble(const std::string& text, double* value)
{
    if (text.empty())
        return false;
    char* end = nullptr;
    errno = 0;
    *value = std::strtod(text.c_str(), &end); // also takes nan and inf, for robustness tests
    return end == text.c_str() + text.size() && errno != ERANGE;
}

bool parseUnsigned(const std::string& text, long maximum, long* value)
{
    if (text.empty() || text.size() > 9 ||
        text.find_first_not_of("0123456789") != std::string::npos)
        return false;
    *value = std::strtol(text.c_str(), nullptr, 10);
    return *value <= maximum;
}
} // namespace

void encodeRecord(const StoredRecord& record, unsigned char* bytes)
{
    using namespace LittleEndian;
    writeU16(bytes + Layout::year, static_cast<unsigned>(record.year));
    bytes[Layout::month] = static_cast<unsigned char>(record.month);
    bytes[Layout::day] = static_cast<unsigned char>(record.day);
    bytes[Layout::hour] = static_cast<unsigned char>(record.hour);
    bytes[Layout::minute] = static_cast<unsigned char>(record.minute);
    bytes[Layout::second] = static_cast<unsigned char>(record.second);
    writeDouble(bytes + Layout::illuminance, record.illuminance);
    for (int i = 0; i < spectrumPoints; ++i)
        writeU16(bytes + Layout::intensities + 2 * i, record.intensity[i]);
    writeDouble(bytes + Layout::ratio, record.ratio);
}

std::string formatRecord(const StoredRecord& record)
{
    char head[32];
    std::snprintf(head, sizeof head, "%04d-%02d-%02dT%02d:%02d:%02d", record.year, record.month,
                  record.day, record.hour, record.minute, record.second);
    std::string line = head;
    for (double value : {record.illuminance, record.ratio}) {
        char number[32]; // shortest text that reads back to the same double
        const auto written = std::to_chars(number, number + sizeof number, value);
        line += ',' + std::string(number, written.ptr);
    }
    for (std::uint16_t value : record.intensity)
        line += ',' + std::to_string(value);
    return line;
}

bool parseRecord(const std::string& line, StoredRecord* record, std::string* error)
{
    const std::vector<std::string> fields = splitFields(line);
    if (fields.size() != 3 + spectrumPoints) {
        *error = "expected " + std::to_string(3 + spectrumPoints) + " fields, found " +
                 std::to_string(fields.size());
        return false;
    }

    // The date fields are taken as the meter's byte fields, not as a calendar
    // date, so that a file can also hold the impossible dates of a faulty meter.
    // The end marker's year is left out: it marks an empty memory slot.
    const std::string& stamp = fields[0];
    long parts[6];
    const long maxima[6] = {long(Layout::noRecordYear) - 1, 255, 255, 255, 255, 255};
    const char separators[6] = {'-', '-', 'T', ':', ':', '\0'};
    std::size_t pos = 0;
    for (int i = 0; i < 6; ++i) {
        const std::size_t end = separators[i] ? stamp.find(separators[i], pos) : stamp.size();
        if (end == std::string::npos ||
            !parseUnsigned(stamp.substr(pos, end - pos), maxima[i], &parts[i])) {
            *error = "date and time must read YYYY-MM-DDTHH:MM:SS, found '" + stamp + "'";
            return false;
        }
        pos = end + 1;
    }
    StoredRecord parsed;
    parsed.year = int(parts[0]);
    parsed.month = int(parts[1]);
    parsed.day = int(parts[2]);
    parsed.hour = int(parts[3]);
    parsed.minute = int(parts[4]);
    parsed.second = int(parts[5]);

    if (!parseDouble(fields[1], &parsed.illuminance)) {
        *error = "illuminance '" + fields[1] + "' is not a number";
        return false;
    }
    if (!parseDouble(fields[2], &parsed.ratio)) {
        *error = "ratio '" + fields[2] + "' is not a number";
        return false;
    }
    for (int i = 0; i < spectrumPoints; ++i) {
        long value;
        if (!parseUnsigned(fields[3 + i], 65535, &value)) {
            *error = "intensity at " + std::to_string(380 + i) +
                     " nm must be a whole number 0..65535, found '" + fields[3 + i] + "'";
            return false;
        }
        parsed.intensity[i] = static_cast<std::uint16_t>(value);
    }
    *record = parsed;
    return true;
}

} // namespace vm
