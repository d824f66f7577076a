#include "TKFoundation.h"

#include "dynamiclibrary.h"

#include <QDebug>

#ifdef _WIN32
static const wchar_t* const meterLibrary = L"TorvikUSB.dll";
#else
static const wchar_t* const meterLibrary = L"libTorvikUSB.so";
#endif

TKFoundation::TKFoundation(QObject* parent) : QObject(parent), libraryName(meterLibrary)
{
    loaded = loadLibrary();
    const QString name = QString::fromWCharArray(libraryName);
    if (loaded)
        qDebug() << QString("Succeeded in loading Dll(%1)!").arg(name);
    else
        qDebug() << QString("Failed to load Dll(%1)!").arg(name);
}

bool TKFoundation::loadLibrary()
{
    module = nullptr;
    CmdRead = CmdWrite = CmdCmd = nullptr;
    CmdSpeic = nullptr;

    module = DynamicLibrary::open(libraryName);
    if (!module)
        return false;
    CmdRead = reinterpret_cast<CmdFunc>(DynamicLibrary::resolve(module, "CmdRead"));
    CmdWrite = reinterpret_cast<CmdFunc>(DynamicLibrary::resolve(module, "CmdWrite"));
    CmdCmd = reinterpret_cast<CmdFunc>(DynamicLibrary::resolve(module, "CmdCmd"));
    CmdSpeic = reinterpret_cast<void (*)()>(DynamicLibrary::resolve(module, "CmdSpeic"));
    return CmdRead && CmdWrite && CmdCmd && CmdSpeic;
}

// A library that lacks any entry point counts as not loaded, and nothing is
// called through it: 0 is the failure every caller understands.

long TKFoundation::readCommand(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                               char* disc, DWORD dwTry)
{
    return loaded ? CmdRead(dwID, loc, count, buf, dwTimeout, disc, dwTry) : 0;
}

long TKFoundation::writeCommand(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                                char* disc, DWORD dwTry)
{
    return loaded ? CmdWrite(dwID, loc, count, buf, dwTimeout, disc, dwTry) : 0;
}

long TKFoundation::cmdCommand(DWORD dwID, DWORD loc, DWORD count, BYTE* buf, DWORD dwTimeout,
                              char* disc, DWORD dwTry)
{
    return loaded ? CmdCmd(dwID, loc, count, buf, dwTimeout, disc, dwTry) : 0;
}
