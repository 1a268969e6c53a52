#include "bridge/handles.h"

#include <algorithm>
#include <deque>
#include <vector>

#include "engine/serial_table.h"

namespace bridge {
namespace {

constexpr int kIndexBits = 20;
constexpr uint32_t kIndexMask = (1u << kIndexBits) - 1;
constexpr uint32_t kGenerationMask = (1u << (32 - kIndexBits)) - 1;
constexpr uint32_t kMaxSlots = kIndexMask;  // slot 0 is never used

struct Slot {
  uint64_t serial = 0;      // the object's serial; 0 when the slot is free
  uint32_t generation = 1;  // 1..kGenerationMask
  uint32_t outside = 0;     // references handed out and not yet given back
};

class Table {
 public:
  Table() { slots_.emplace_back(); }  // slot 0: never a handle

  engine::Object* Resolve(Handle h) {
    Slot* s = SlotOf(h);
    return s ? engine::FindObjectBySerial(s->serial) : nullptr;
  }

  // The handle of o, making a slot when o has none; 0 when the table is full.
  Handle HandleOf(engine::Object* o) {
    if (const uint32_t* known = bySerial_.Find(o->Serial())) return MakeHandle(*known);
    if (free_.empty() && slots_.size() > kMaxSlots) Sweep();
    uint32_t index;
    if (!free_.empty() && (slots_.size() > kMaxSlots || free_.size() >= kReuseAfter)) {
      // Reusing slots in first-freed order spreads the reuse over all of them, so that a
      // generation comes round again as late as possible.
      index = free_.front();
      free_.pop_front();
    } else if (slots_.size() <= kMaxSlots) {
      index = static_cast<uint32_t>(slots_.size());
      slots_.emplace_back();
    } else {
      return 0;
    }
    slots_[index].serial = o->Serial();
    slots_[index].outside = 0;
    bySerial_.Insert(o->Serial(), index);
    if (++used_ >= nextSweepAt_) {
      Sweep();
      nextSweepAt_ = std::max<size_t>(kFirstSweep, used_ * 2);
    }
    return MakeHandle(index);
  }

  Slot* SlotOf(Handle h) {
    uint32_t index = h & kIndexMask;
    uint32_t generation = h >> kIndexBits;
    if (index == 0 || index >= slots_.size()) return nullptr;
    Slot& s = slots_[index];
    if (s.serial == 0 || s.generation != generation) return nullptr;
    return &s;
  }

  // Frees the slot of a handle whose object is gone.
  void Free(Handle h) {
    uint32_t index = h & kIndexMask;
    if (index == 0 || index >= slots_.size()) return;
    FreeIndex(index);
  }

 private:
  static constexpr size_t kReuseAfter = 1024;  // keep this many slots resting before reuse
  static constexpr size_t kFirstSweep = 4096;

  Handle MakeHandle(uint32_t index) const {
    return (slots_[index].generation << kIndexBits) | index;
  }

  void FreeIndex(uint32_t index) {
    Slot& s = slots_[index];
    if (s.serial == 0) return;
    bySerial_.Erase(s.serial);
    s.serial = 0;
    s.outside = 0;
    s.generation = s.generation == kGenerationMask ? 1 : s.generation + 1;
    free_.push_back(index);
    --used_;
  }

  // Frees the slots of objects that died while the engine held their last reference.
  void Sweep() {
    for (uint32_t i = 1; i < slots_.size(); ++i)
      if (slots_[i].serial != 0 && !engine::FindObjectBySerial(slots_[i].serial)) FreeIndex(i);
  }

  std::vector<Slot> slots_;
  std::deque<uint32_t> free_;
  engine::SerialTable<uint32_t> bySerial_;
  size_t used_ = 0;
  size_t nextSweepAt_ = kFirstSweep;
};

Table& table() {
  static Table* t = new Table;  // never destroyed: exports may run during static destruction
  return *t;
}

}  // namespace

engine::Object* Resolve(Handle h) { return h ? table().Resolve(h) : nullptr; }

Handle HandOutOwned(engine::Object* o) {
  if (!o) return 0;
  Handle h = table().HandleOf(o);
  if (!h) {
    o->Release();
    return 0;
  }
  table().SlotOf(h)->outside++;
  return h;
}

Handle HandOutBorrowed(engine::Object* o) {
  if (!o) return 0;
  o->AddRef();
  return HandOutOwned(o);
}

int64_t AddRef(Handle h) {
  engine::Object* o = Resolve(h);
  if (!o) return -1;
  table().SlotOf(h)->outside++;
  return o->AddRef();
}

int64_t Release(Handle h) {
  engine::Object* o = Resolve(h);
  if (!o) return -1;
  Slot* s = table().SlotOf(h);
  if (s->outside == 0) return -1;
  s->outside--;
  uint32_t left = o->Release();
  if (left == 0) table().Free(h);
  return left;
}

void ReleaseField(Handle& field) {
  Release(field);
  field = 0;
}

}  // namespace bridge
