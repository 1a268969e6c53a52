// Small helpers shared by the scene classes' implementations (not part of the public interface).
#pragma once

#include <cstdint>
#include <cstdlib>
#include <memory>

#include "scene/scene_object.h"
#include "scene/services.h"

namespace kubisto::detail {

// A new wrapper of class T that takes over the reference carried by a handle an export returned.
// The handle is not tested: a failed creation gives a wrapper whose lp is 0.
template <class T>
std::shared_ptr<T> Wrapped(ObjectHandle handle) {
  return std::make_shared<T>(handle);
}

// A Boolean result: true when the export returned non-zero.
inline bool Succeeded(int32_t result) { return result != 0; }

// A Boolean argument as it crosses to the bridge: true is -1, false 0.
inline int32_t BoolArg(bool value) { return value ? -1 : 0; }

// Ends the program at once through the host's services (a wrong kind of object, an unknown class
// name: the program cannot go on).
[[noreturn]] inline void EndProgramAtOnce() {
  services().EndProgram();
  std::abort();  // a host's EndProgram must not return
}

}  // namespace kubisto::detail
