#include "engine/pickedarray.h"

#include <algorithm>

#include "engine/frame.h"

namespace engine {

PickedArray::PickedArray() : Object(Kind::PickedArray) {}
PickedArray::~PickedArray() = default;

void PickedArray::SortNearestFirst() {
  std::stable_sort(entries_.begin(), entries_.end(), [](const PickEntry& a, const PickEntry& b) {
    return a.description.depth < b.description.depth;
  });
}

const PickEntry* PickedArray::GetPick(size_t index) const {
  return index < entries_.size() ? &entries_[index] : nullptr;
}

}  // namespace engine
