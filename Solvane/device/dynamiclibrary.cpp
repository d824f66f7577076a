#include "dynamiclibrary.h"

#ifdef _WIN32
#include <windows.h>

void* DynamicLibrary::open(const wchar_t* fileName)
{
    return reinterpret_cast<void*>(LoadLibraryW(fileName));
}

void* DynamicLibrary::resolve(void* module, const char* symbol)
{
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(module), symbol));
}

#else
#include <QCoreApplication>
#include <QDir>
#include <QString>
#include <dlfcn.h>

void* DynamicLibrary::open(const wchar_t* fileName)
{
    const QString name = QString::fromWCharArray(fileName);
    const auto openFile = [](const QString& path) {
        return dlopen(QFile::encodeName(path).constData(), RTLD_NOW);
    };
    if (!QCoreApplication::instance())
        return openFile(name);
    const QDir appDir(QCoreApplication::applicationDirPath());
    if (void* module = openFile(appDir.filePath(name)))
        return module;
    if (void* module = openFile(name))
        return module;
    // Last, the stand-in an installation brings along in its private library
    // folder, so that a meter library installed by the user wins.
    return openFile(QDir(appDir.filePath(QStringLiteral(SOLVANE_LIB_FROM_BIN))).filePath(name));
}

void* DynamicLibrary::resolve(void* module, const char* symbol)
{
    return dlsym(module, symbol);
}
#endif
