// The handle table: 32-bit handles naming engine objects across the library's boundary.
//
// A handle is a slot index (low 20 bits, slot 0 unused) plus the slot's generation (high 12 bits,
// never 0), so 0 is never a handle. A slot remembers its object by serial number, not by pointer:
// resolving asks the engine's registry whether that serial is still alive, so a handle whose object
// died, a handle of a freed slot and a forged value all resolve to nullptr and are never followed.
//
// One live object has one handle value: handing out the same object again gives the same value.
// Each handle handed out carries one engine reference for the receiver; the table counts these
// "outside" references per slot, so that a caller who releases more than it was given cannot
// destroy an object that the engine itself still holds.
#pragma once

#include <cstdint>

#include "engine/object.h"

namespace bridge {

using Handle = uint32_t;

// The live object a handle names, or nullptr for 0, a stale or a forged handle.
engine::Object* Resolve(Handle h);

// The object when it is of kind T, else nullptr.
template <class T>
T* ResolveAs(Handle h) {
  return engine::As<T>(Resolve(h));
}

// Hands one engine reference to the caller: the handle of o, taking over the reference that ref
// holds. 0 (and the reference given back) when ref is empty or the table is full.
template <class T>
Handle HandOut(engine::Ref<T> ref);
Handle HandOutOwned(engine::Object* ownedReference);

// Hands out a new reference to an object that someone else keeps alive (a getter's result).
Handle HandOutBorrowed(engine::Object* o);

// Adds one outside reference; the engine's count after it, or -1 for a bad handle.
int64_t AddRef(Handle h);
// Gives one outside reference back; the engine's count left, or -1 for a bad handle or one that
// carries no outside reference any more (nothing is released then).
int64_t Release(Handle h);

// Releases the outside reference a handle field holds (when it is a live handle) and clears it.
void ReleaseField(Handle& field);

template <class T>
Handle HandOut(engine::Ref<T> ref) {
  return HandOutOwned(ref.Detach());
}

}  // namespace bridge
