// Loading a shared library by file name and finding its exports, with failures raised as
// BindingError naming what is missing.
#pragma once

#include <string>

namespace kubisto {

// Loads fileName: a name without a '/' is looked for beside the program first (the folder of
// /proc/self/exe), then by the usual library search; a path is used as it stands. The library stays
// loaded. Throws BindingError naming fileName when it cannot be loaded: 53 when no such file was
// found, 48 when one was found but would not load.
void* LoadLibraryBesideProgram(const std::string& fileName);
// The address of an export of a loaded library. Throws BindingError (453) naming the export and
// the library when it has no such export.
void* FindExport(void* library, const char* exportName, const std::string& libraryName);

}  // namespace kubisto
