// A map from object serials (never 0) to values, kept in one array with open addressing: finding
// an entry by its serial costs one or two probes, and adding or removing one allocates nothing
// but the occasional resize. A room of 16 cells a side makes and frees some 215,000 objects.
// Serials are handed out in order: runs of 16 consecutive serials keep their home slots side by
// side, so that objects made together are found together, and the runs are scattered, so that
// long-lived objects never form one long cluster that newer serials must probe past.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace engine {

template <class V>
class SerialTable {
 public:
  // Adds serial (not yet present, not 0).
  void Insert(uint64_t serial, V value) {
    if ((count_ + 1) * 2 > slots_.size()) Resize(slots_.empty() ? kMinSlots : slots_.size() * 2);
    size_t i = Home(serial);
    while (slots_[i].serial != 0) i = (i + 1) & mask_;
    slots_[i] = {serial, value};
    ++count_;
  }

  // The value of serial, or nullptr when it is not there.
  const V* Find(uint64_t serial) const {
    if (slots_.empty() || serial == 0) return nullptr;
    for (size_t i = Home(serial);; i = (i + 1) & mask_) {
      if (slots_[i].serial == serial) return &slots_[i].value;
      if (slots_[i].serial == 0) return nullptr;
    }
  }

  void Erase(uint64_t serial) {
    if (slots_.empty() || serial == 0) return;
    size_t i = Home(serial);
    while (slots_[i].serial != serial) {
      if (slots_[i].serial == 0) return;
      i = (i + 1) & mask_;
    }
    // Moves back every later entry of the run that its home would no longer reach past the hole.
    for (size_t j = (i + 1) & mask_; slots_[j].serial != 0; j = (j + 1) & mask_) {
      const size_t home = Home(slots_[j].serial);
      // j's home lies cyclically in (i, j]: the entry may stay.
      if (i <= j ? (i < home && home <= j) : (i < home || home <= j)) continue;
      slots_[i] = slots_[j];
      i = j;
    }
    slots_[i] = {};
    --count_;
    if (slots_.size() > kMinSlots && count_ * 8 < slots_.size()) Resize(slots_.size() / 2);
  }

  size_t Size() const { return count_; }

  // Calls f(serial, value) for every entry, in no particular order.
  template <class F>
  void ForEach(F&& f) const {
    for (const Slot& s : slots_)
      if (s.serial != 0) f(s.serial, s.value);
  }

 private:
  static constexpr size_t kMinSlots = 1024;
  struct Slot {
    uint64_t serial = 0;
    V value{};
  };

  size_t Home(uint64_t serial) const {
    const uint64_t run = ((serial >> 4) * 0x9E3779B97F4A7C15ull) >> 32;
    return static_cast<size_t>(run << 4 | (serial & 15)) & mask_;
  }

  void Resize(size_t size) {
    std::vector<Slot> old(size);
    old.swap(slots_);
    mask_ = size - 1;
    count_ = 0;
    for (const Slot& s : old)
      if (s.serial != 0) Insert(s.serial, s.value);
  }

  std::vector<Slot> slots_;
  size_t mask_ = 0;
  size_t count_ = 0;
};

}  // namespace engine
