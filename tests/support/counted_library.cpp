#include "tests/support/counted_library.h"

#include <gtest/gtest.h>

#include "scene/vantrel_declare.h"

namespace kubisto::testing {
namespace {

// Chooses the counted library before any test binds an export.
class UseCountedLibrary : public ::testing::Environment {
 public:
  void SetUp() override {
    if (!vantrel::LibraryLoaded()) vantrel::UseLibrary("libvantrel-counted.so");
  }
};

[[maybe_unused]] ::testing::Environment* const kEnvironment =
    ::testing::AddGlobalTestEnvironment(new UseCountedLibrary);

}  // namespace

size_t LiveEngineObjects() {
  using Count = size_t (*)();
  static const Count count = reinterpret_cast<Count>(vantrel::Resolve("kubisto_LiveObjectCount"));
  return count();
}

}  // namespace kubisto::testing
