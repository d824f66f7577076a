#pragma once

// The meter library's exports: the application reaches the meter through
// these four functions only. A result greater than 0 means success.

#ifdef _WIN32
#define TORVIK_API extern "C" __declspec(dllexport)
#define TORVIK_CALL __cdecl
typedef unsigned long DWORD;
#else
#include <cstdint>
#define TORVIK_API extern "C" __attribute__((visibility("default")))
#define TORVIK_CALL
typedef std::uint32_t DWORD;
#endif
typedef unsigned char BYTE;

TORVIK_API long TORVIK_CALL CmdRead(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                    char* disc, DWORD dwTry);
TORVIK_API long TORVIK_CALL CmdWrite(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                     char* disc, DWORD dwTry);
TORVIK_API long TORVIK_CALL CmdCmd(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                   char* disc, DWORD dwTry);
TORVIK_API long TORVIK_CALL CmdSpeic(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                     char* disc, DWORD dwTry);
