#pragma once

// A disk that fills up: while `work` runs, this process cannot write a file
// beyond `bytes` (tests run as root, which ignores read-only folders).

#include <csignal>
#include <sys/resource.h>

template <typename Work> auto onDiskFullAfter(rlim_t bytes, Work work)
{
    struct rlimit before;
    getrlimit(RLIMIT_FSIZE, &before);
    struct rlimit small = before;
    small.rlim_cur = bytes;
    // The signal ignored, so that the write fails instead of ending the process.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    setrlimit(RLIMIT_FSIZE, &small);
    const auto result = work();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previousHandler);
    return result;
}
