#include "meterconfig.h"

#include <cstdlib>

namespace vm {

namespace {
const char* const variables[] = {"TORVIK_VM_RECORDS",      "TORVIK_VM_RECORD_COUNT",
                                 "TORVIK_VM_DISCONNECTED", "TORVIK_VM_FAIL_AT",
                                 "TORVIK_VM_LATENCY_MS",   "TORVIK_VM_GARBAGE"};

const char* variable(const char* name)
{
    const char* value = std::getenv(name);
    return value && *value ? value : nullptr;
}

// Reads a whole number in [minimum, maximum]; records a problem otherwise.
bool readNumber(MeterConfig& config, const char* name, long long minimum, long long maximum,
                long long* value)
{
    const char* text = variable(name);
    if (!text)
        return false;
    char* end = nullptr;
    const long long parsed = std::strtoll(text, &end, 10);
    if (*end != '\0' || parsed < minimum || parsed > maximum) {
        config.problems.push_back(std::string(name) + "='" + text +
                                  "' is not a whole number from " + std::to_string(minimum) +
                                  " to " + std::to_string(maximum));
        config.usable = false;
        return false;
    }
    *value = parsed;
    return true;
}
} // namespace

std::string environmentFingerprint()
{
    std::string fingerprint;
    for (const char* name : variables) {
        const char* value = variable(name);
        fingerprint += value ? value : "";
        fingerprint += '\x1f';
    }
    return fingerprint;
}

MeterConfig configFromEnvironment()
{
    MeterConfig config;
    long long value = 0;
    if (const char* file = variable("TORVIK_VM_RECORDS"))
        config.recordsFile = file;
    if (readNumber(config, "TORVIK_VM_RECORD_COUNT", 0, 100000, &value))
        config.recordCount = int(value);
    if (const char* text = variable("TORVIK_VM_DISCONNECTED"))
        config.disconnected = std::string(text) != "0";
    if (readNumber(config, "TORVIK_VM_FAIL_AT", 0, 0xFFFFFFFFLL, &value))
        config.failAt = value;
    if (readNumber(config, "TORVIK_VM_LATENCY_MS", 0, 60000, &value))
        config.latencyMs = int(value);
    if (readNumber(config, "TORVIK_VM_GARBAGE", 0, 0xFFFFFFFFLL, &value)) {
        config.garbage = true;
        config.garbageSeed = std::uint32_t(value);
    }
    return config;
}

} // namespace vm
