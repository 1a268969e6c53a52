// The exports of a program that links the bridge instead of loading libvantrel.so (the web build:
// WebAssembly has no shared libraries). Compiled only when KUBISTO_LINKED_BRIDGE is set.
#pragma once

namespace kubisto::vantrel {

// The address of a declared export, from a table built from the same list that declares the
// slots (scene/vantrel_exports.inc). Throws BindingError (453) for a name outside the list.
void* FindLinkedExport(const char* exportName);

}  // namespace kubisto::vantrel
