// The one export that libvantrel-counted.so adds to those of libvantrel.so: how many engine objects
// are alive in the library.
#include <cstddef>

#include "engine/object.h"

extern "C" __attribute__((visibility("default"))) size_t kubisto_LiveObjectCount() {
  return engine::LiveObjectCount();
}
