// Data every object carries (name, class name, item data), named-object lookup and point
// conversion.
#include <cstring>
#include <string>

#include "bridge/export_helpers.h"

using namespace bridge;

namespace {

// Copies text into a caller's buffer of size bytes, always terminated. False (with the text cut
// to fit) when the text and its terminator do not fit.
bool CopyText(const std::string& text, int32_t size, char* buffer) {
  size_t capacity = static_cast<size_t>(size);
  size_t n = std::min(text.size(), capacity - 1);
  std::memcpy(buffer, text.data(), n);
  buffer[n] = '\0';
  return text.size() < capacity;
}

template <class F>
int32_t TextOut(uint32_t handle, int32_t size, char* buffer, F&& text) noexcept {
  if (size <= 0 || !buffer) return 0;  // the engine is not asked at all
  return Flag<engine::Object>(handle,
                              [&](engine::Object& o) { return CopyText(text(o), size, buffer); });
}

// Converts the caller's vector in place through the frame; the vector is untouched on failure.
template <class F>
int32_t Convert(uint32_t frame, float* vector, F&& convert) noexcept {
  return Flag<engine::Frame>(frame, [&](engine::Frame& f) {
    engine::Vector out;
    if (!vector || !convert(f, ReadVector(vector), out)) return false;
    WriteVector(vector, out);
    return true;
  });
}

}  // namespace

int32_t d3dSetName(uint32_t handle, const char* name) {
  return Flag<engine::Object>(handle, [&](engine::Object& o) {
    if (!name) return false;
    o.SetName(name);
    return true;
  });
}

int32_t d3dGetName(uint32_t handle, int32_t size, char* buffer) {
  return TextOut(handle, size, buffer, [](engine::Object& o) { return o.GetName(); });
}

int32_t d3dGetClassName(uint32_t handle, int32_t size, char* buffer) {
  return TextOut(handle, size, buffer,
                 [](engine::Object& o) { return std::string(o.GetClassName()); });
}

int32_t d3dSetItemData(uint32_t handle, int32_t value) {
  return Flag<engine::Object>(handle, [&](engine::Object& o) {
    o.SetAppData(static_cast<uint32_t>(value));
    return true;
  });
}

int32_t d3dGetItemData(uint32_t handle) {
  return Value<engine::Object, int32_t>(handle, 0,
                                        [](engine::Object& o) { return o.GetAppData(); });
}

uint32_t d3dGetNamedObject(DeviceRecord* rec, const char* name) {
  return Guard<uint32_t>(0, [&]() -> uint32_t {
    engine::Engine* e = EngineOf(rec);
    if (!e || !name) return 0;
    return HandOutBorrowed(e->GetNamedObject(name));
  });
}

int32_t d3dFrameToScene(uint32_t frame, float* vector) {
  return Convert(frame, vector, [](engine::Frame& f, engine::Vector in, engine::Vector& out) {
    return f.Transform(in, out);
  });
}

int32_t d3dSceneToFrame(uint32_t frame, float* vector) {
  return Convert(frame, vector, [](engine::Frame& f, engine::Vector in, engine::Vector& out) {
    return f.InverseTransform(in, out);
  });
}
