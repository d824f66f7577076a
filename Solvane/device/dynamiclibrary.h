#pragma once

// The one place that knows how the platform loads a shared library by file name.
namespace DynamicLibrary {

// Loads a library given by bare file name. Windows applies its own search order
// (which starts with the application's directory); elsewhere the application's
// directory is tried first too, then the system's search order, then the
// installation's private library folder (where the virtual meter is installed).
// Returns null when the library cannot be loaded.
void* open(const wchar_t* fileName);

// Null when the library does not export the symbol.
void* resolve(void* module, const char* symbol);

} // namespace DynamicLibrary
