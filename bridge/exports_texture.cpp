// Textures and decals, and wraps.
#include "bridge/export_helpers.h"
#include "engine/texture.h"
#include "engine/wrap.h"

using namespace bridge;
using engine::Texture;

int32_t d3dSetTextureColors(uint32_t texture, int32_t count) {
  return Flag<Texture>(texture, [&](Texture& t) { return t.SetColors(count); });
}
int32_t d3dGetTextureColors(uint32_t texture) {
  return Value<Texture, int32_t>(texture, 0, [](Texture& t) { return t.GetColors(); });
}
int32_t d3dSetTextureShades(uint32_t texture, int32_t count) {
  return Flag<Texture>(texture, [&](Texture& t) { return t.SetShades(count); });
}
int32_t d3dGetTextureShades(uint32_t texture) {
  return Value<Texture, int32_t>(texture, 0, [](Texture& t) { return t.GetShades(); });
}
int32_t d3dGetTextureWidth(uint32_t texture) {
  return Value<Texture, int32_t>(texture, 0, [](Texture& t) { return t.GetWidth(); });
}
int32_t d3dGetTextureHeight(uint32_t texture) {
  return Value<Texture, int32_t>(texture, 0, [](Texture& t) { return t.GetHeight(); });
}
int32_t d3dSetDecalSize(uint32_t texture, float width, float height) {
  return Flag<Texture>(texture, [&](Texture& t) { return t.SetDecalSize(width, height); });
}
int32_t d3dGetDecalSize(uint32_t texture, float* widthHeight) {
  return Flag<Texture>(texture, [&](Texture& t) {
    float w, h;
    if (!widthHeight || !t.GetDecalSize(w, h)) return false;
    widthHeight[0] = w;
    widthHeight[1] = h;
    return true;
  });
}
int32_t d3dSetDecalOrigin(uint32_t texture, int32_t x, int32_t y) {
  return Flag<Texture>(texture, [&](Texture& t) { return t.SetDecalOrigin(x, y); });
}
int32_t d3dGetDecalOrigin(uint32_t texture, int32_t* xy) {
  return Flag<Texture>(texture, [&](Texture& t) {
    int32_t x, y;
    if (!xy || !t.GetDecalOrigin(x, y)) return false;
    xy[0] = x;
    xy[1] = y;
    return true;
  });
}
int32_t d3dSetDecalScale(uint32_t texture, int32_t on) {
  return Flag<Texture>(texture, [&](Texture& t) { return t.SetDecalScale(ToBool(on)); });
}
int32_t d3dGetDecalScale(uint32_t texture) {
  return Value<Texture, int32_t>(texture, 0,
                                 [](Texture& t) { return FromBool(t.GetDecalScale()); });
}
int32_t d3dSetDecalTransparency(uint32_t texture, int32_t on) {
  return Flag<Texture>(texture, [&](Texture& t) { return t.SetDecalTransparency(ToBool(on)); });
}
int32_t d3dGetDecalTransparency(uint32_t texture) {
  return Value<Texture, int32_t>(texture, 0,
                                 [](Texture& t) { return FromBool(t.GetDecalTransparency()); });
}
int32_t d3dSetDecalTranspColor(uint32_t texture, int32_t color) {
  return Flag<Texture>(texture, [&](Texture& t) {
    return t.SetDecalTransparentColor(static_cast<engine::Color>(color));
  });
}
int32_t d3dGetDecalTranspColor(uint32_t texture) {
  return Value<Texture, int32_t>(texture, 0,
                                 [](Texture& t) { return t.GetDecalTransparentColor(); });
}

// ---- Wraps ----

int32_t d3dApply(uint32_t wrap, uint32_t object) {
  return Flag<engine::Wrap>(wrap, [&](engine::Wrap& w) {
    engine::Object* o = Resolve(object);
    return o && w.Apply(o);
  });
}
int32_t d3dApplyRelative(uint32_t wrap, uint32_t frame, uint32_t object) {
  return Flag<engine::Wrap>(wrap, [&](engine::Wrap& w) {
    engine::Frame* f = ResolveAs<engine::Frame>(frame);
    engine::Object* o = Resolve(object);
    return f && o && w.ApplyRelative(f, o);
  });
}
