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
    if (QCoreApplication::instance()) {
        const QString besideApp = QDir(QCoreApplication::applicationDirPath()).filePath(name);
        if (void* module = dlopen(QFile::encodeName(besideApp).constData(), RTLD_NOW))
            return module;
    }
    return dlopen(QFile::encodeName(name).constData(), RTLD_NOW);
}

void* DynamicLibrary::resolve(void* module, const char* symbol)
{
    return dlsym(module, symbol);
}
#endif
