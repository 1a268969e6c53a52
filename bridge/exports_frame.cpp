// Frames: hierarchy and contents, placement and motion, appearance.
#include "bridge/export_helpers.h"
#include "engine/light.h"
#include "engine/texture.h"

using namespace bridge;
using engine::Frame;

namespace {

// Runs body with a reference frame argument ("or 0": 0 means the parent).
template <class F>
int32_t WithReference(uint32_t frame, uint32_t reference, F&& body) noexcept {
  return Flag<Frame>(frame, [&](Frame& f) {
    Frame* ref = nullptr;
    return Optional(reference, ref) && body(f, ref);
  });
}

// The element at index of a frame's list, as a new reference; 0 out of range.
template <class List>
uint32_t Element(const List& list, int32_t index) {
  if (index < 0 || static_cast<size_t>(index) >= list.size()) return 0;
  return HandOutBorrowed(list[static_cast<size_t>(index)].get());
}

}  // namespace

// ---- Hierarchy and contents ----

int32_t d3dAddChild(uint32_t frame, uint32_t child) {
  return Flag<Frame>(frame, [&](Frame& f) {
    Frame* c = ResolveAs<Frame>(child);
    return c && f.AddChild(c);
  });
}
int32_t d3dDeleteChild(uint32_t frame, uint32_t child) {
  return Flag<Frame>(frame, [&](Frame& f) {
    Frame* c = ResolveAs<Frame>(child);
    return c && f.DeleteChild(c);
  });
}
uint32_t d3dGetParent(uint32_t frame) {
  return Value<Frame, uint32_t>(frame, 0, [](Frame& f) { return HandOutBorrowed(f.GetParent()); });
}
uint32_t d3dGetScene(uint32_t frame) {
  return Value<Frame, uint32_t>(frame, 0, [](Frame& f) { return HandOutBorrowed(f.GetScene()); });
}
int32_t d3dGetChildCount(uint32_t frame) {
  return Value<Frame, int32_t>(frame, 0, [](Frame& f) { return f.GetChildren().size(); });
}
uint32_t d3dGetChild(uint32_t frame, int32_t index) {
  return Value<Frame, uint32_t>(frame, 0,
                                [&](Frame& f) { return Element(f.GetChildren(), index); });
}
int32_t d3dAddVisual(uint32_t frame, uint32_t visual) {
  return Flag<Frame>(frame, [&](Frame& f) {
    engine::Object* v = Resolve(visual);
    return v && f.AddVisual(v);
  });
}
int32_t d3dDeleteVisual(uint32_t frame, uint32_t visual) {
  return Flag<Frame>(frame, [&](Frame& f) {
    engine::Object* v = Resolve(visual);
    return v && f.DeleteVisual(v);
  });
}
int32_t d3dAddLight(uint32_t frame, uint32_t light) {
  return Flag<Frame>(frame, [&](Frame& f) {
    engine::Light* l = ResolveAs<engine::Light>(light);
    return l && f.AddLight(l);
  });
}
int32_t d3dDeleteLight(uint32_t frame, uint32_t light) {
  return Flag<Frame>(frame, [&](Frame& f) {
    engine::Light* l = ResolveAs<engine::Light>(light);
    return l && f.DeleteLight(l);
  });
}
int32_t d3dGetVisualCount(uint32_t frame) {
  return Value<Frame, int32_t>(frame, 0, [](Frame& f) { return f.GetVisuals().size(); });
}
uint32_t d3dGetVisual(uint32_t frame, int32_t index) {
  return Value<Frame, uint32_t>(frame, 0, [&](Frame& f) { return Element(f.GetVisuals(), index); });
}
int32_t d3dGetLightCount(uint32_t frame) {
  return Value<Frame, int32_t>(frame, 0, [](Frame& f) { return f.GetLights().size(); });
}
uint32_t d3dGetLight(uint32_t frame, int32_t index) {
  return Value<Frame, uint32_t>(frame, 0, [&](Frame& f) { return Element(f.GetLights(), index); });
}

// ---- Placement and motion ----

int32_t d3dSetPosition(uint32_t frame, uint32_t reference, float x, float y, float z) {
  return WithReference(frame, reference, [&](Frame& f, Frame* ref) {
    return f.SetPosition(ref, {x, y, z});
  });
}
int32_t d3dGetPosition(uint32_t frame, uint32_t reference, float* vector) {
  return WithReference(frame, reference, [&](Frame& f, Frame* ref) {
    engine::Vector v;
    if (!vector || !f.GetPosition(ref, v)) return false;
    WriteVector(vector, v);
    return true;
  });
}
int32_t d3dSetRotation(uint32_t frame, uint32_t reference, float x, float y, float z, float angle) {
  return WithReference(frame, reference, [&](Frame& f, Frame* ref) {
    return f.SetRotation(ref, {x, y, z}, angle);
  });
}
int32_t d3dGetRotation(uint32_t frame, uint32_t reference, float* axis, float* angle) {
  return WithReference(frame, reference, [&](Frame& f, Frame* ref) {
    engine::Vector a;
    float theta = 0;
    if (!axis || !angle || !f.GetRotation(ref, a, theta)) return false;
    WriteVector(axis, a);
    *angle = theta;
    return true;
  });
}
int32_t d3dSetOrientation(uint32_t frame, uint32_t reference, float dx, float dy, float dz,
                          float ux, float uy, float uz) {
  return WithReference(frame, reference, [&](Frame& f, Frame* ref) {
    return f.SetOrientation(ref, {dx, dy, dz}, {ux, uy, uz});
  });
}
int32_t d3dGetOrientation(uint32_t frame, uint32_t reference, float* direction, float* up) {
  return WithReference(frame, reference, [&](Frame& f, Frame* ref) {
    engine::Vector d, u;
    if (!direction || !up || !f.GetOrientation(ref, d, u)) return false;
    WriteVector(direction, d);
    WriteVector(up, u);
    return true;
  });
}
int32_t d3dSetVelocity(uint32_t frame, uint32_t reference, float x, float y, float z,
                       int32_t withRotation) {
  return WithReference(frame, reference, [&](Frame& f, Frame* ref) {
    return f.SetVelocity(ref, {x, y, z}, ToBool(withRotation));
  });
}
int32_t d3dGetVelocity(uint32_t frame, uint32_t reference, float* vector, int32_t withRotation) {
  return WithReference(frame, reference, [&](Frame& f, Frame* ref) {
    engine::Vector v;
    if (!vector || !f.GetVelocity(ref, v, ToBool(withRotation))) return false;
    WriteVector(vector, v);
    return true;
  });
}
int32_t d3dAddRotation(uint32_t frame, int32_t combine, float x, float y, float z, float angle) {
  return Flag<Frame>(frame, [&](Frame& f) {
    return f.AddRotation(static_cast<engine::CombineType>(combine), {x, y, z}, angle);
  });
}
int32_t d3dAddScale(uint32_t frame, int32_t combine, float x, float y, float z) {
  return Flag<Frame>(frame, [&](Frame& f) {
    return f.AddScale(static_cast<engine::CombineType>(combine), {x, y, z});
  });
}
int32_t d3dAddTranslation(uint32_t frame, int32_t combine, float x, float y, float z) {
  return Flag<Frame>(frame, [&](Frame& f) {
    return f.AddTranslation(static_cast<engine::CombineType>(combine), {x, y, z});
  });
}
int32_t d3dAddTransform(uint32_t frame, int32_t combine, const float* matrix) {
  return Flag<Frame>(frame, [&](Frame& f) {
    if (!matrix) return false;
    engine::Matrix m;
    for (int i = 0; i < 16; ++i) m.m[i / 4][i % 4] = matrix[i];
    return f.AddTransform(static_cast<engine::CombineType>(combine), m);
  });
}
int32_t d3dGetTransform(uint32_t frame, float* matrix) {
  return Flag<Frame>(frame, [&](Frame& f) {
    engine::Matrix m;
    if (!matrix || !f.GetTransform(m)) return false;
    for (int i = 0; i < 16; ++i) matrix[i] = m.m[i / 4][i % 4];
    return true;
  });
}
int32_t d3dLookAt(uint32_t frame, uint32_t target, uint32_t reference, int32_t constraint) {
  return WithReference(frame, reference, [&](Frame& f, Frame* ref) {
    Frame* t = nullptr;
    return Optional(target, t) &&
           f.LookAt(t, ref, static_cast<engine::FrameConstraint>(constraint));
  });
}
int32_t d3dMove(uint32_t frame, float delta) {
  return Flag<Frame>(frame, [&](Frame& f) { return f.Move(delta); });
}

// ---- Appearance ----

int32_t d3dSetColorFM(uint32_t frame, int32_t color) {
  return Flag<Frame>(frame,
                     [&](Frame& f) { return f.SetColor(static_cast<engine::Color>(color)); });
}
int32_t d3dGetColorFM(uint32_t frame) {
  return Value<Frame, int32_t>(frame, 0, [](Frame& f) { return f.GetColor(); });
}
int32_t d3dSetTextureFM(uint32_t frame, uint32_t texture) {
  return Flag<Frame>(frame, [&](Frame& f) {
    engine::Texture* t = nullptr;
    return Optional(texture, t) && f.SetTexture(t);
  });
}
uint32_t d3dGetTextureFM(uint32_t frame) {
  return Value<Frame, uint32_t>(frame, 0, [](Frame& f) { return HandOutBorrowed(f.GetTexture()); });
}
int32_t d3dSetTextureTopoFM(uint32_t frame, int32_t topology) {
  return Flag<Frame>(
      frame, [&](Frame& f) { return f.SetTextureTopology(topology & 1, (topology & 2) != 0); });
}
int32_t d3dGetTextureTopoFM(uint32_t frame) {
  return Value<Frame, int32_t>(frame, 0, [](Frame& f) {
    bool u = false, v = false;
    return f.GetTextureTopology(u, v) ? engine::PackTopology(u, v) : 0;
  });
}
int32_t d3dSetMaterialMode(uint32_t frame, int32_t mode) {
  return Flag<Frame>(frame, [&](Frame& f) { return f.SetMaterialMode(mode); });
}
int32_t d3dGetMaterialMode(uint32_t frame) {
  return Value<Frame, int32_t>(frame, 0, [](Frame& f) { return f.GetMaterialMode(); });
}
int32_t d3dSetSortMode(uint32_t frame, int32_t mode) {
  return Flag<Frame>(frame, [&](Frame& f) { return f.SetSortMode(mode); });
}
int32_t d3dGetSortMode(uint32_t frame) {
  return Value<Frame, int32_t>(frame, 0, [](Frame& f) { return f.GetSortMode(); });
}
