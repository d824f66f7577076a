#pragma once

// The meter library's exports: the application reaches the meter through
// these four functions only. A result greater than 0 means success.

#include "meterlibrary.h"

#ifdef _WIN32
#define TORVIK_API extern "C" __declspec(dllexport)
#else
#define TORVIK_API extern "C" __attribute__((visibility("default")))
#endif

TORVIK_API long METER_CALL CmdRead(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                   char* disc, DWORD dwTry);
TORVIK_API long METER_CALL CmdWrite(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                    char* disc, DWORD dwTry);
TORVIK_API long METER_CALL CmdCmd(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                  char* disc, DWORD dwTry);
TORVIK_API long METER_CALL CmdSpeic(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                    char* disc, DWORD dwTry);
