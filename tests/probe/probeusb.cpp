#include "probeusb.h"

#include <algorithm>
#include <cstdlib>

namespace {
ProbeState state;

long answer(ProbeCall call)
{
#ifdef PROBE_WITHOUT_SPEIC
    std::abort(); // an incomplete library: its host must not call anything in it
#endif
    if (call.buf)
        call.bytes.assign(call.buf, call.buf + call.count);
    state.calls.push_back(call);
    if (state.answers.empty())
        return 1;
    const ProbeAnswer next = state.answers.front();
    state.answers.pop_front();
    if (call.buf)
        std::copy_n(next.bytes.begin(), std::min<std::size_t>(next.bytes.size(), call.count),
                    call.buf);
    return next.result;
}
} // namespace

PROBE_API ProbeState* probeState()
{
    return &state;
}

// CmdRead, CmdWrite and CmdCmd, each recording its calls under its own letter.
#define ENTRY_POINT(name, channel)                                                                 \
    PROBE_API long name(std::uint32_t dwID, std::uint32_t loc, std::uint32_t count,                \
                        unsigned char* buf, std::uint32_t dwTimeout, char* disc,                   \
                        std::uint32_t dwTry)                                                       \
    {                                                                                              \
        return answer({channel, dwID, loc, count, buf, dwTimeout, disc, dwTry, {}});               \
    }
ENTRY_POINT(CmdRead, 'R')
ENTRY_POINT(CmdWrite, 'W')
ENTRY_POINT(CmdCmd, 'C')

#ifndef PROBE_WITHOUT_SPEIC
PROBE_API long CmdSpeic(std::uint32_t, std::uint32_t, std::uint32_t, unsigned char*, std::uint32_t,
                        char*, std::uint32_t)
{
    return 1;
}
#endif
