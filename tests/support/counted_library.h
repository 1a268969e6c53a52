// The tests of this program run the scene classes on libvantrel-counted.so (the bridge with one
// more export) and read the number of live engine objects through it.
#pragma once

#include <cstddef>

namespace kubisto::testing {

// How many engine objects are alive in the library (loading it if it is not yet loaded).
size_t LiveEngineObjects();

}  // namespace kubisto::testing
