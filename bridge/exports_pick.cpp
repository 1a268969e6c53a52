// Picking and its readers, and the snapshot of what the device shows.
#include "bridge/export_helpers.h"
#include "bridge/status.h"
#include "engine/pickedarray.h"
#include "platform/picture.h"

using namespace bridge;
using engine::PickedArray;

uint32_t d3dPick(DeviceRecord* rec, int32_t x, int32_t y) {
  return ViewportValue<uint32_t>(rec, [&](engine::Viewport& v) { return HandOut(v.Pick(x, y)); });
}

int32_t d3dPickedCount(uint32_t picked) {
  return Value<PickedArray, int32_t>(picked, 0, [](PickedArray& p) { return p.GetSize(); });
}

uint32_t d3dPickedObject(uint32_t picked, int32_t index) {
  return Value<PickedArray, uint32_t>(picked, 0, [&](PickedArray& p) -> uint32_t {
    const engine::PickEntry* e = index < 0 ? nullptr : p.GetPick(static_cast<size_t>(index));
    return e ? HandOutBorrowed(e->visual.get()) : 0;
  });
}

uint32_t d3dPickedFrame(uint32_t picked, int32_t index) {
  return Value<PickedArray, uint32_t>(picked, 0, [&](PickedArray& p) -> uint32_t {
    const engine::PickEntry* e = index < 0 ? nullptr : p.GetPick(static_cast<size_t>(index));
    // The path runs from the scene root down; its last frame is the one holding the visual.
    return e && !e->path.empty() ? HandOutBorrowed(e->path.back().get()) : 0;
  });
}

int32_t d3dCreateBitmap(DeviceRecord* rec, VantrelPicture** picture) {
  return Guard<int32_t>(kStatusFailed, [&]() -> int32_t {
    engine::Device* d = DeviceOf(rec);
    if (!d) return kStatusOk;  // nothing shown yet: the caller's picture stays as it was
    if (!picture) return kStatusFailed;
    engine::Viewport* v = ViewportOf(rec);
    platform::Picture* shot = v ? d->Snapshot(v->GetWidth(), v->GetHeight()) : nullptr;
    // The caller's variable is replaced whatever the snapshot gave; its old picture is released.
    if (platform::Picture* old = *picture) old->Release();
    *picture = shot;
    if (!shot) return kStatusFailed;
    return shot->hasPalette() ? kStatusOk : kStatusNoPalette;
  });
}
