// GenerateNormals: normals from the faces, shared as the corners' normal indices say.
#include <unordered_map>

#include "engine/meshbuilder.h"

namespace engine {

bool MeshBuilder::GenerateNormals() {
  FacesChanged();  // corners without a normal get one
  std::vector<Vector> sums(normals_.size());
  std::vector<Vector> firsts(normals_.size());  // a fallback when opposite faces cancel out
  std::vector<bool> used(normals_.size(), false);
  // Corners without a normal share one new normal per vertex.
  std::unordered_map<int32_t, int32_t> perVertex;

  for (auto& f : faces_) {
    Vector n;
    bool flat = f->GetNormal(n);  // false for faces without area: they add nothing
    for (FaceCorner& c : f->corners_) {
      if (c.normal < 0) {
        auto [it, added] = perVertex.try_emplace(c.vertex, static_cast<int32_t>(normals_.size()));
        if (added) {
          if (normals_.size() >= kMaxElements) return false;
          normals_.push_back({});
          sums.push_back({});
          firsts.push_back({});
          used.push_back(false);
        }
        c.normal = it->second;
      }
      if (!flat) continue;
      if (!used[c.normal]) firsts[c.normal] = n;
      used[c.normal] = true;
      sums[c.normal] = sums[c.normal] + n;
    }
  }
  for (size_t i = 0; i < normals_.size(); ++i) {
    if (!used[i]) continue;
    if (!Normalize(sums[i], normals_[i])) normals_[i] = firsts[i];
  }
  return true;
}

}  // namespace engine
