// Device-level exports: set-up and tear-down on a window, the render step, the viewport, camera
// and device settings.
#include "bridge/device_setup.h"
#include "bridge/export_helpers.h"
#include "platform/window.h"

using namespace bridge;

int32_t d3dInit(uint32_t hwnd, DeviceRecord* rec, int32_t colorModel) {
  return Guard<int32_t>(0, [&]() -> int32_t {
    if (!rec) return 0;
    rec->colorModel = static_cast<uint32_t>(colorModel);  // kept even when the call is refused
    if (hwnd == 0 || rec->engine != 0) return 0;
    engine::Ref<engine::Engine> eng = engine::Engine::Create();
    if (!eng) return 0;
    engine::Engine* e = eng.get();
    rec->engine = HandOut(std::move(eng));
    if (!rec->engine) return 0;

    engine::Ref<engine::Frame> scene = e->CreateFrame(nullptr);
    engine::Frame* s = scene.get();
    rec->scene = HandOut(std::move(scene));
    engine::Ref<engine::Frame> camera = s ? e->CreateFrame(s) : nullptr;
    engine::Frame* c = camera.get();
    rec->camera = HandOut(std::move(camera));
    if (!rec->scene || !rec->camera) {
      QuitRecord(rec);
      return 1;
    }
    c->SetPosition(s, {0, 0, 0});

    if (SetUpDevice(rec, hwnd)) {
      // A window already bound to a record keeps that binding: the two properties are the window's,
      // not the procedure's, so a second subclass would pass every message round in a circle.
      if (platform::GetProp(hwnd, kInfoProperty) == 0 &&
          platform::GetWindowProc(hwnd) != &BridgeWindowProc) {
        platform::WindowProc prev = platform::SetWindowProc(hwnd, &BridgeWindowProc);
        platform::SetProp(hwnd, kPrevProcProperty, reinterpret_cast<uintptr_t>(prev));
        platform::SetProp(hwnd, kInfoProperty, reinterpret_cast<uintptr_t>(rec));
      }
      rec->hwnd = hwnd;
    }
    return 1;
  });
}

int32_t d3dQuit(DeviceRecord* rec) {
  return Guard<int32_t>(1, [&]() -> int32_t {
    QuitRecord(rec);
    return 1;
  });
}

int32_t d3dConfigure(DeviceRecord* rec, int32_t x, int32_t y, int32_t width, int32_t height) {
  return ViewportFlag(rec, [&](engine::Viewport& v) { return v.Configure(x, y, width, height); });
}

void d3dRender(DeviceRecord* rec) {
  Guard<int32_t>(0, [&]() -> int32_t {
    engine::Device* d = DeviceOf(rec);
    if (!d) return 0;
    if (engine::Viewport* v = ViewportOf(rec)) {
      v->Clear();
      if (engine::Frame* s = SceneOf(rec)) v->Render(s);
    }
    d->Update();
    return 1;
  });
}

void d3dClear(DeviceRecord* rec) {
  Guard<int32_t>(0, [&]() -> int32_t {
    engine::Device* d = DeviceOf(rec);
    if (!d) return 0;
    if (engine::Viewport* v = ViewportOf(rec)) v->Clear();
    d->Update();
    return 1;
  });
}

int32_t d3dTick(DeviceRecord* rec, float delta) {
  return Guard<int32_t>(0, [&]() -> int32_t {
    engine::Engine* e = EngineOf(rec);
    return e && e->Tick(delta) ? 1 : 0;
  });
}

int32_t d3dSetCamera(DeviceRecord* rec, uint32_t frame) {
  return ViewportFlag(rec, [&](engine::Viewport& v) {
    engine::Frame* f = ResolveAs<engine::Frame>(frame);
    return f && v.SetCamera(f);
  });
}

uint32_t d3dGetCamera(DeviceRecord* rec) {
  return ViewportValue<uint32_t>(
      rec, [](engine::Viewport& v) { return HandOutBorrowed(v.GetCamera()); });
}

int32_t d3dSetFront(DeviceRecord* rec, float value) {
  return ViewportFlag(rec, [&](engine::Viewport& v) { return v.SetFront(value); });
}
int32_t d3dSetBack(DeviceRecord* rec, float value) {
  return ViewportFlag(rec, [&](engine::Viewport& v) { return v.SetBack(value); });
}
int32_t d3dSetField(DeviceRecord* rec, float value) {
  return ViewportFlag(rec, [&](engine::Viewport& v) { return v.SetField(value); });
}
float d3dGetFront(DeviceRecord* rec) {
  return ViewportValue<float>(rec, [](engine::Viewport& v) { return v.GetFront(); });
}
float d3dGetBack(DeviceRecord* rec) {
  return ViewportValue<float>(rec, [](engine::Viewport& v) { return v.GetBack(); });
}
float d3dGetField(DeviceRecord* rec) {
  return ViewportValue<float>(rec, [](engine::Viewport& v) { return v.GetField(); });
}

int32_t d3dSetPlane(DeviceRecord* rec, float left, float right, float bottom, float top) {
  return ViewportFlag(rec,
                      [&](engine::Viewport& v) { return v.SetPlane(left, right, bottom, top); });
}
int32_t d3dGetPlane(DeviceRecord* rec, float* lrbt) {
  return ViewportFlag(rec, [&](engine::Viewport& v) {
    float l, r, b, t;
    if (!lrbt || !v.GetPlane(l, r, b, t)) return false;
    lrbt[0] = l;
    lrbt[1] = r;
    lrbt[2] = b;
    lrbt[3] = t;
    return true;
  });
}

int32_t d3dSetProjection(DeviceRecord* rec, int32_t type) {
  return ViewportFlag(rec, [&](engine::Viewport& v) { return v.SetProjection(type); });
}
int32_t d3dGetProjection(DeviceRecord* rec) {
  return ViewportValue<int32_t>(rec, [](engine::Viewport& v) { return v.GetProjection(); });
}
int32_t d3dSetUniformScaling(DeviceRecord* rec, int32_t on) {
  return ViewportFlag(rec, [&](engine::Viewport& v) { return v.SetUniformScaling(ToBool(on)); });
}
int32_t d3dGetUniformScaling(DeviceRecord* rec) {
  return ViewportValue<int32_t>(
      rec, [](engine::Viewport& v) { return FromBool(v.GetUniformScaling()); });
}

int32_t d3dGetViewportX(DeviceRecord* rec) {
  return ViewportValue<int32_t>(rec, [](engine::Viewport& v) { return v.GetX(); });
}
int32_t d3dGetViewportY(DeviceRecord* rec) {
  return ViewportValue<int32_t>(rec, [](engine::Viewport& v) { return v.GetY(); });
}
int32_t d3dGetViewportWidth(DeviceRecord* rec) {
  return ViewportValue<int32_t>(rec, [](engine::Viewport& v) { return v.GetWidth(); });
}
int32_t d3dGetViewportHeight(DeviceRecord* rec) {
  return ViewportValue<int32_t>(rec, [](engine::Viewport& v) { return v.GetHeight(); });
}

int32_t d3dGetDeviceWidth(DeviceRecord* rec) {
  return DeviceValue<int32_t>(rec, [](engine::Device& d) { return d.GetWidth(); });
}
int32_t d3dGetDeviceHeight(DeviceRecord* rec) {
  return DeviceValue<int32_t>(rec, [](engine::Device& d) { return d.GetHeight(); });
}
int32_t d3dSetDeviceQuality(DeviceRecord* rec, int32_t quality) {
  return DeviceFlag(rec, [&](engine::Device& d) { return d.SetQuality(quality); });
}
int32_t d3dGetDeviceQuality(DeviceRecord* rec) {
  return DeviceValue<int32_t>(rec, [](engine::Device& d) { return d.GetQuality(); });
}
int32_t d3dSetDither(DeviceRecord* rec, int32_t on) {
  return DeviceFlag(rec, [&](engine::Device& d) { return d.SetDither(ToBool(on)); });
}
int32_t d3dGetDither(DeviceRecord* rec) {
  return DeviceValue<int32_t>(rec, [](engine::Device& d) { return FromBool(d.GetDither()); });
}
int32_t d3dSetTextureQuality(DeviceRecord* rec, int32_t quality) {
  return DeviceFlag(rec, [&](engine::Device& d) { return d.SetTextureQuality(quality); });
}
int32_t d3dGetTextureQuality(DeviceRecord* rec) {
  return DeviceValue<int32_t>(rec, [](engine::Device& d) { return d.GetTextureQuality(); });
}
int32_t d3dGetColorModel(DeviceRecord* rec) {
  return DeviceValue<int32_t>(rec, [](engine::Device& d) { return d.GetColorModel(); });
}
