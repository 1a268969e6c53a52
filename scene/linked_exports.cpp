#include "scene/linked_exports.h"

#if KUBISTO_LINKED_BRIDGE
#include <cstring>
#include <string>

#include "bridge/vantrel.h"
#include "scene/errors.h"

namespace kubisto::vantrel {
namespace {

struct LinkedExport {
  const char* name;
  void* address;
};

#define KUBISTO_VANTREL_EXPORT(name) {#name, reinterpret_cast<void*>(&::name)},
const LinkedExport kLinkedExports[] = {
#include "scene/vantrel_exports.inc"
};
#undef KUBISTO_VANTREL_EXPORT

}  // namespace

void* FindLinkedExport(const char* exportName) {
  // Each slot looks its export up once, at its first call: a plain scan is enough.
  for (const LinkedExport& entry : kLinkedExports) {
    if (std::strcmp(entry.name, exportName) == 0) return entry.address;
  }
  throw BindingError(453, std::string("Can't find entry point ") + exportName + " in the program");
}

}  // namespace kubisto::vantrel
#endif
