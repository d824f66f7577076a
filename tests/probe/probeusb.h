#pragma once

// A stand-in meter library for protocol tests: it records every call with its
// arguments and the buffer as it came in, and answers from a script.

#include <cstdint>
#include <deque>
#include <vector>

#define PROBE_API extern "C" __attribute__((visibility("default")))

struct ProbeCall
{
    char channel; // 'R' CmdRead, 'W' CmdWrite, 'C' CmdCmd
    std::uint32_t dwID, loc, count;
    unsigned char* buf;
    std::uint32_t dwTimeout;
    char* disc;
    std::uint32_t dwTry;
    std::vector<unsigned char> bytes; // the buffer's content when the call came in
};

struct ProbeAnswer
{
    long result = 1;
    std::vector<unsigned char> bytes; // copied into the buffer, at most `count` bytes
};

struct ProbeState
{
    std::vector<ProbeCall> calls;
    std::deque<ProbeAnswer> answers; // one per call; when none is left: 1, buffer untouched

    void reset() { *this = ProbeState(); }
};

PROBE_API ProbeState* probeState();
