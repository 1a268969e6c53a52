// The binding to libvantrel.so: one slot per export that the program uses, filled at the export's
// first call by loading the library (beside the program first, then on the library path) and
// looking the export up by its exact name. The library stays loaded. A missing library or export
// raises BindingError, which reaches the caller of the scene member. A program that links the
// bridge (KUBISTO_LINKED_BRIDGE, the web build) fills the slots from a table of the linked exports
// instead.
//
// Calls read as calls of the exports themselves: vantrel::d3dRGB(1, 0, 0), vantrel::Pass(x).
#pragma once

#include <cstdint>
#include <string>

#include "bridge/vantrel.h"  // the export types only; the library is never linked
#include "scene/fwd.h"

namespace kubisto {
namespace vantrel {

// The address of an export, loading the library at the first call. Throws BindingError naming the
// library or the export that is missing.
void* Resolve(const char* exportName);
// Chooses the library's file name (default "libvantrel.so"), looked for beside the program first,
// then on the library path; an absolute or relative path is used as it stands. Only before the
// library is loaded: afterwards it throws std::logic_error.
void UseLibrary(const std::string& fileName);
// True once the library has been loaded.
bool LibraryLoaded() noexcept;

// One declared export: its exact name and the slot for its address.
template <class Fn>
class Export;

template <class R, class... A>
class Export<R(A...)> {
 public:
  explicit constexpr Export(const char* name) noexcept : name_(name) {}
  Export(const Export&) = delete;
  Export& operator=(const Export&) = delete;

  R operator()(A... args) const { return Address()(args...); }
  const char* name() const noexcept { return name_; }
  bool bound() const noexcept { return fn_ != nullptr; }

 private:
  using Pointer = R (*)(A...);
  Pointer Address() const {
    if (fn_ == nullptr) fn_ = reinterpret_cast<Pointer>(Resolve(name_));
    return fn_;
  }
  const char* name_;
  mutable Pointer fn_ = nullptr;
};

#define KUBISTO_VANTREL_EXPORT(name) inline constinit Export<decltype(::name)> name{#name};
#include "scene/vantrel_exports.inc"
#undef KUBISTO_VANTREL_EXPORT

}  // namespace vantrel

// The name of an engine object (at most 39 bytes); "" when it has none or the call fails.
std::string NameFromHandle(ObjectHandle handle);
// A new wrapper of the class that the engine object's class name names, taking over the handle's
// reference. Any other class name (the empty name of handle 0 included) ends the program at once.
SceneObjectPtr ObjectFromHandle(ObjectHandle handle);

}  // namespace kubisto
