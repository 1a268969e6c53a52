#include "scene/vantrel_declare.h"

#include <cstring>
#include <stdexcept>

#include "scene/library_loader.h"
#include "scene/linked_exports.h"

namespace kubisto::vantrel {
namespace {

// The one loaded library that every export slot shares.
struct Library {
  std::string fileName = "libvantrel.so";
  void* handle = nullptr;
};

Library& TheLibrary() {
  static Library library;
  return library;
}

}  // namespace

void* Resolve(const char* exportName) {
#if KUBISTO_LINKED_BRIDGE
  return FindLinkedExport(exportName);
#else
  Library& library = TheLibrary();
  if (library.handle == nullptr) library.handle = LoadLibraryBesideProgram(library.fileName);
  return FindExport(library.handle, exportName, library.fileName);
#endif
}

void UseLibrary(const std::string& fileName) {
  Library& library = TheLibrary();
  if (library.handle != nullptr) {
    throw std::logic_error("the bridge library is loaded already: " + library.fileName);
  }
  library.fileName = fileName;
}

bool LibraryLoaded() noexcept { return TheLibrary().handle != nullptr; }

}  // namespace kubisto::vantrel

namespace kubisto {

namespace {

constexpr int32_t kNameBufferSize = 40;

// Reads a text the way the name reader does: a 40-byte buffer of NULs, cut at the first NUL.
template <class Reader>
std::string ReadNameBuffer(const Reader& reader, ObjectHandle handle) {
  char buffer[kNameBufferSize] = {};
  reader(handle, kNameBufferSize, buffer);
  return std::string(buffer, strnlen(buffer, sizeof buffer));
}

}  // namespace

std::string NameFromHandle(ObjectHandle handle) {
  return ReadNameBuffer(vantrel::d3dGetName, handle);
}

}  // namespace kubisto
