// Loads libvantrel.so the way the program does (dlopen by file, dlsym by name) and calls its
// exports through function pointers typed by vantrel.h, e.g. VT(d3dInit)(hwnd, &rec, 2).
#pragma once

#include <dlfcn.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bridge/vantrel.h"

namespace vt {

inline void* Library() {
  static void* lib = [] {
    // The tests run in the folder where the build puts the library; the full path makes them
    // independent of the working directory.
    const std::string path = KUBISTO_BIN_DIR "/libvantrel.so";
    void* h = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!h) {
      std::fprintf(stderr, "cannot load %s: %s\n", path.c_str(), dlerror());
      std::abort();
    }
    return h;
  }();
  return lib;
}

inline void* Symbol(const char* name) {
  void* p = dlsym(Library(), name);
  if (!p) {
    std::fprintf(stderr, "libvantrel.so has no export %s\n", name);
    std::abort();
  }
  return p;
}

// The export's address, looked up once per call site.
template <class F>
F Bind(const char* name) {
  return reinterpret_cast<F>(Symbol(name));
}

}  // namespace vt

#define VT(name) (vt::Bind<decltype(&::name)>(#name))
