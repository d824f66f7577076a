#pragma once

#include <QObject>

#ifdef _WIN32
#include <windows.h>
#define TK_CDECL __cdecl
#else
#include <cstdint>
typedef std::uint32_t DWORD;
typedef unsigned char BYTE;
#define TK_CDECL
#endif

// The meter library's command function: a result greater than 0 means the
// exchange succeeded.
typedef long(TK_CDECL* CmdFunc)(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                char* disc, DWORD dwTry);

// The only door to the meter's USB library: loads it once and forwards the
// three kinds of exchange to it unchanged.
class TKFoundation : public QObject
{
    Q_OBJECT

public:
    explicit TKFoundation(QObject* parent = nullptr);

    bool isLoaded() const { return loaded; }

public slots:
    long readCommand(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout, char* disc,
                     DWORD dwTry);
    long writeCommand(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout, char* disc,
                      DWORD dwTry);
    long cmdCommand(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout, char* disc,
                    DWORD dwTry);

private:
    bool loadLibrary();

    void* module = nullptr;
    CmdFunc CmdRead = nullptr;
    CmdFunc CmdWrite = nullptr;
    CmdFunc CmdCmd = nullptr;
    void (*CmdSpeic)() = nullptr;
    const wchar_t* libraryName;
    bool loaded = false;
};
