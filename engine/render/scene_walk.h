// The walk over a frame hierarchy that rendering and picking share: each visual with the frame that
// holds it, that frame's transform into the world, the colour and texture the frames above impose,
// and the frame path from the scene root.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/frame.h"
#include "engine/math.h"
#include "engine/render/draw_context.h"

namespace engine::render {

// Deeper hierarchies are not drawn; it also stops a frame that shows itself as a visual.
inline constexpr int kMaxWalkDepth = 256;

// Visit(Object* visual, const Frame& holder, const Matrix& world, const Appearance& appearance,
//       const std::vector<Frame*>& path) for every visual below start, start included.
template <class Visit>
class SceneWalk {
 public:
  explicit SceneWalk(Visit& visit) : visit_(visit) {}

  void Run(Frame* start) {
    path_.clear();
    for (engine::Frame* f = start->GetParent(); f; f = f->GetParent())
      path_.insert(path_.begin(), f);
    Appearance app;
    for (engine::Frame* f : path_) app = AppearanceOf(*f, app);
    VisitFrame(start, start->WorldTransform(), app, 0);
  }

  static Appearance AppearanceOf(const engine::Frame& f, const Appearance& parent) {
    switch (f.GetMaterialMode()) {
      case kMaterialFromFrame:
        return {true, f.GetColor(), f.GetTexture()};
      case kMaterialFromParent:
        return parent;
      default:
        return {};
    }
  }

 private:
  void VisitFrame(engine::Frame* f, const Matrix& world, Appearance app, int depth) {
    if (depth > kMaxWalkDepth) return;
    app = AppearanceOf(*f, app);
    path_.push_back(f);
    Contents(f, *f, world, app, depth);
    path_.pop_back();
  }

  // The visuals and children of `content`, placed by `world`, as held by `holder`.
  void Contents(engine::Frame* content, const engine::Frame& holder, const Matrix& world,
                const Appearance& app, int depth) {
    for (const Ref<Object>& v : content->GetVisuals()) {
      // By kind rather than dynamic_cast: this runs for every visual of every frame drawn.
      if (v->GetKind() == Kind::Frame) {
        auto* shown = static_cast<engine::Frame*>(v.get());
        // A frame used as a visual is drawn with the holder's transform.
        if (depth < kMaxWalkDepth) Contents(shown, holder, world, app, depth + 1);
      } else {
        visit_(v.get(), holder, world, app, path_);
      }
    }
    for (const Ref<engine::Frame>& c : content->GetChildren())
      VisitFrame(c.get(), c->LocalTransform() * world, app, depth + 1);
  }

  Visit& visit_;
  std::vector<engine::Frame*> path_;
};

}  // namespace engine::render
