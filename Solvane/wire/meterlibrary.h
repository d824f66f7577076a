#pragma once

// The meter library's command functions as both sides declare them: the host
// that loads the library and the virtual meter that stands in for it. On
// Windows DWORD and BYTE are the very types of windows.h, so that either
// header may be included with the other.

#ifdef _WIN32
#define METER_CALL __cdecl
typedef unsigned long DWORD;
#else
#include <cstdint>
#define METER_CALL
typedef std::uint32_t DWORD;
#endif
typedef unsigned char BYTE;

// CmdRead, CmdWrite and CmdCmd: a result greater than 0 means the exchange
// succeeded.
typedef long(METER_CALL* CmdFunc)(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                  char* disc, DWORD dwTry);
