// The library's four exports, all served by one simulated meter.

#include "TorvikUSB.h"
#include "virtualmeter.h"

#include <exception>
#include <memory>
#include <mutex>
#include <type_traits>

// The host calls these through CmdFunc.
static_assert(std::is_same_v<decltype(&CmdRead), CmdFunc> &&
              std::is_same_v<decltype(&CmdWrite), CmdFunc> &&
              std::is_same_v<decltype(&CmdCmd), CmdFunc>);

namespace {
std::mutex meterLock;
std::unique_ptr<vm::VirtualMeter> meter;
std::string meterFingerprint;

// The environment is looked at on every exchange, so that a test can switch
// the meter's behaviour between two calls; a change restarts the meter.
long serve(vm::VirtualMeter::Channel channel, DWORD dwID, DWORD loc, DWORD count, BYTE* buf)
{
    std::lock_guard<std::mutex> guard(meterLock);
    try {
        const std::string fingerprint = vm::environmentFingerprint();
        if (!meter || fingerprint != meterFingerprint) {
            meter = std::make_unique<vm::VirtualMeter>(vm::configFromEnvironment());
            meterFingerprint = fingerprint;
        }
        return meter->exchange(channel, dwID, loc, count, buf);
    } catch (const std::exception& e) { // never let an exception cross into the host
        vm::logLine(std::string("internal error: ") + e.what());
        return 0;
    } catch (...) {
        vm::logLine("internal error");
        return 0;
    }
}
} // namespace

TORVIK_API long METER_CALL CmdRead(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD, char*,
                                   DWORD)
{
    return serve(vm::VirtualMeter::Channel::Read, dwID, loc, count, buf);
}

TORVIK_API long METER_CALL CmdWrite(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD, char*,
                                    DWORD)
{
    return serve(vm::VirtualMeter::Channel::Write, dwID, loc, count, buf);
}

TORVIK_API long METER_CALL CmdCmd(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD, char*,
                                  DWORD)
{
    return serve(vm::VirtualMeter::Channel::Command, dwID, loc, count, buf);
}

// Present because hosts insist on it; the meter has nothing behind it.
TORVIK_API long METER_CALL CmdSpeic(DWORD, DWORD, DWORD, BYTE*, DWORD, char*, DWORD)
{
    return 0;
}
