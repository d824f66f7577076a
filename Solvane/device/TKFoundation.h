#pragma once

#include "meterlibrary.h"

#include <QObject>

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
