// The result of a viewport pick: the visuals under a point, nearest first.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/frame.h"
#include "engine/math.h"
#include "engine/object.h"

namespace engine {

// Where a pick hit a visual.
struct PickDescription {
  int32_t faceIndex = -1;   // face of a builder, or face within the group of a mesh
  int32_t groupIndex = -1;  // group of a mesh; -1 for other visuals
  Vector position;          // the hit in world coordinates
  float depth = 0;          // camera-space z of the hit
};

struct PickEntry {
  Ref<Object> visual;
  std::vector<Ref<Frame>> path;  // the scene root first, the frame that holds the visual last
  PickDescription description;
};

class PickedArray final : public Object {
 public:
  PickedArray();
  ~PickedArray() override;

  void Add(PickEntry entry) { entries_.push_back(std::move(entry)); }
  // Orders the entries nearest first (by depth; stable).
  void SortNearestFirst();

  size_t GetSize() const { return entries_.size(); }
  // The entry at index, or nullptr out of range.
  const PickEntry* GetPick(size_t index) const;

 private:
  std::vector<PickEntry> entries_;
};

}  // namespace engine
