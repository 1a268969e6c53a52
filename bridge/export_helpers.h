// Helpers shared by the export families: the no-throw guard, handle arguments and the record.
//
// Every export runs its body inside Guard, so that no exception (an allocation failure, say) ever
// crosses the library's boundary: the export returns its failure result instead.
#pragma once

#include <cstdint>

#include "bridge/handles.h"
#include "bridge/vantrel.h"
#include "engine/device.h"
#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/viewport.h"

namespace bridge {

template <class R, class F>
R Guard(R failure, F&& body) noexcept {
  try {
    return body();
  } catch (...) {
    return failure;
  }
}

// Runs body on the object a handle names when it is of kind T; flag result 1/0.
template <class T, class F>
int32_t Flag(Handle h, F&& body) noexcept {
  return Guard<int32_t>(0, [&]() -> int32_t {
    T* o = ResolveAs<T>(h);
    return o && body(*o) ? 1 : 0;
  });
}

// Runs body on the object a handle names when it is of kind T; its value, or failure.
template <class T, class R, class F>
R Value(Handle h, R failure, F&& body) noexcept {
  return Guard<R>(failure, [&]() -> R {
    T* o = ResolveAs<T>(h);
    return o ? static_cast<R>(body(*o)) : failure;
  });
}

// An argument that may be 0 ("or 0"): out is nullptr for 0, the object for a live handle of kind T.
// False for any other value, so that a stale or forged handle never stands for "none".
template <class T>
bool Optional(Handle h, T*& out) {
  if (h == 0) {
    out = nullptr;
    return true;
  }
  out = ResolveAs<T>(h);
  return out != nullptr;
}

inline bool ToBool(int32_t value) { return value != 0; }
inline int32_t FromBool(bool value) { return value ? 1 : 0; }

inline engine::Vector ReadVector(const float* p) { return {p[0], p[1], p[2]}; }
inline void WriteVector(float* p, engine::Vector v) {
  p[0] = v.x;
  p[1] = v.y;
  p[2] = v.z;
}

// The record's objects; nullptr for a null record or a field that names no object of that kind.
inline engine::Engine* EngineOf(const DeviceRecord* rec) {
  return rec ? ResolveAs<engine::Engine>(rec->engine) : nullptr;
}
inline engine::Device* DeviceOf(const DeviceRecord* rec) {
  return rec ? ResolveAs<engine::Device>(rec->device) : nullptr;
}
inline engine::Viewport* ViewportOf(const DeviceRecord* rec) {
  return rec ? ResolveAs<engine::Viewport>(rec->viewport) : nullptr;
}
inline engine::Frame* SceneOf(const DeviceRecord* rec) {
  return rec ? ResolveAs<engine::Frame>(rec->scene) : nullptr;
}
inline engine::Frame* CameraOf(const DeviceRecord* rec) {
  return rec ? ResolveAs<engine::Frame>(rec->camera) : nullptr;
}

// Runs body on the record's object of kind T (found by getter); flag or value results.
template <class F>
int32_t DeviceFlag(DeviceRecord* rec, F&& body) noexcept {
  return Guard<int32_t>(0, [&]() -> int32_t {
    engine::Device* d = DeviceOf(rec);
    return d && body(*d) ? 1 : 0;
  });
}
template <class R, class F>
R DeviceValue(DeviceRecord* rec, F&& body) noexcept {
  return Guard<R>(R{}, [&]() -> R {
    engine::Device* d = DeviceOf(rec);
    return d ? static_cast<R>(body(*d)) : R{};
  });
}
template <class F>
int32_t ViewportFlag(DeviceRecord* rec, F&& body) noexcept {
  return Guard<int32_t>(0, [&]() -> int32_t {
    engine::Viewport* v = ViewportOf(rec);
    return v && body(*v) ? 1 : 0;
  });
}
template <class R, class F>
R ViewportValue(DeviceRecord* rec, F&& body) noexcept {
  return Guard<R>(R{}, [&]() -> R {
    engine::Viewport* v = ViewportOf(rec);
    return v ? static_cast<R>(body(*v)) : R{};
  });
}
template <class F>
int32_t SceneFlag(DeviceRecord* rec, F&& body) noexcept {
  return Guard<int32_t>(0, [&]() -> int32_t {
    engine::Frame* s = SceneOf(rec);
    return s && body(*s) ? 1 : 0;
  });
}
template <class R, class F>
R SceneValue(DeviceRecord* rec, F&& body) noexcept {
  return Guard<R>(R{}, [&]() -> R {
    engine::Frame* s = SceneOf(rec);
    return s ? static_cast<R>(body(*s)) : R{};
  });
}

}  // namespace bridge
