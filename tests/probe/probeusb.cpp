#include "probeusb.h"

#include <algorithm>
#include <cstdlib>

namespace {
ProbeState state;

long answer(char channel, std::uint32_t dwID, std::uint32_t loc, std::uint32_t count,
            unsigned char* buf, std::uint32_t dwTimeout, char* disc, std::uint32_t dwTry)
{
    ProbeCall call{channel, dwID, loc, count, buf, dwTimeout, disc, dwTry, {}};
    if (buf)
        call.bytes.assign(buf, buf + count);
    state.calls.push_back(call);
    if (state.answers.empty())
        return 1;
    const ProbeAnswer next = state.answers.front();
    state.answers.pop_front();
    if (buf)
        std::copy_n(next.bytes.begin(), std::min<std::size_t>(next.bytes.size(), count), buf);
    return next.result;
}
} // namespace

PROBE_API ProbeState* probeState()
{
    return &state;
}

#ifdef PROBE_WITHOUT_SPEIC
// An incomplete library: its host must not call anything in it.
#define ANSWER(channel)                                                                            \
    (std::abort(), answer(channel, dwID, loc, count, buf, dwTimeout, disc, dwTry))
#else
#define ANSWER(channel) answer(channel, dwID, loc, count, buf, dwTimeout, disc, dwTry)
#endif

PROBE_API long CmdRead(std::uint32_t dwID, std::uint32_t loc, std::uint32_t count,
                       unsigned char* buf, std::uint32_t dwTimeout, char* disc, std::uint32_t dwTry)
{
    return ANSWER('R');
}

PROBE_API long CmdWrite(std::uint32_t dwID, std::uint32_t loc, std::uint32_t count,
                        unsigned char* buf, std::uint32_t dwTimeout, char* disc,
                        std::uint32_t dwTry)
{
    return ANSWER('W');
}

PROBE_API long CmdCmd(std::uint32_t dwID, std::uint32_t loc, std::uint32_t count,
                      unsigned char* buf, std::uint32_t dwTimeout, char* disc, std::uint32_t dwTry)
{
    return ANSWER('C');
}

#ifndef PROBE_WITHOUT_SPEIC
PROBE_API long CmdSpeic(std::uint32_t, std::uint32_t, std::uint32_t, unsigned char*, std::uint32_t,
                        char*, std::uint32_t)
{
    return 1;
}
#endif
