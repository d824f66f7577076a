#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vm {

// How the virtual meter behaves, from its environment variables:
//   TORVIK_VM_RECORDS       file of records to serve instead of the factory memory
//   TORVIK_VM_RECORD_COUNT  number of factory records (default 12)
//   TORVIK_VM_DISCONNECTED  any value but 0: no meter connected, every exchange fails
//   TORVIK_VM_FAIL_AT       reading the record at this ordinal fails
//   TORVIK_VM_LATENCY_MS    delay of every exchange
//   TORVIK_VM_GARBAGE       every read answers random bytes from this seed
struct MeterConfig
{
    std::string recordsFile;
    int recordCount = 12;
    bool disconnected = false;
    long long failAt = -1;
    int latencyMs = 0;
    bool garbage = false;
    std::uint32_t garbageSeed = 0;
    bool usable = true;                // false: a setting was bad, serve no records
    std::vector<std::string> problems; // what was wrong, for the log
};

// The variables' current values in one string: a change means a new configuration.
std::string environmentFingerprint();

MeterConfig configFromEnvironment();

} // namespace vm
