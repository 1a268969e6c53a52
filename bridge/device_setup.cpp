#include "bridge/device_setup.h"

#include "bridge/export_helpers.h"
#include "bridge/handles.h"
#include "engine/engine.h"
#include "engine/frame.h"
#include "engine/viewport.h"
#include "platform/services.h"

namespace bridge {

SearchState& Search() {
  static SearchState state;
  return state;
}

uint32_t DepthFlag(int bitsPerPixel) {
  switch (bitsPerPixel) {
    case 1:
      return engine::kDepth1;
    case 2:
      return engine::kDepth2;
    case 4:
      return engine::kDepth4;
    case 8:
      return engine::kDepth8;
    case 16:
      return engine::kDepth16;
    case 24:
      return engine::kDepth24;
    case 32:
      return engine::kDepth32;
    default:
      return 0;
  }
}

bool FindDeviceForColorModel(int32_t option, engine::DeviceId* id) {
  SearchState& s = Search();
  s.found = false;
  uint32_t wanted = option == 1   ? engine::kColorModelMono
                    : option == 2 ? engine::kColorModelRGB
                                  : 0;
  uint32_t depth = DepthFlag(s.screenBits);
  bool chosenHardware = false;
  bool replaced = false;
  if (wanted != 0) {
    for (const engine::DeviceDescription& d : engine::EnumerateDevices()) {
      // A device describes itself by its hardware part when it has one, else by its software part.
      bool hardware = d.hardwareColorModel != 0;
      uint32_t models = hardware ? d.hardwareColorModel : d.softwareColorModel;
      uint32_t depths = hardware ? d.hardwareDepths : d.softwareDepths;
      if (!(depths & depth) || !(models & wanted)) continue;
      if (!s.found) {
        s.found = true;
        s.id = d.id;
        chosenHardware = hardware;
      } else if (hardware && !chosenHardware && !replaced) {
        // A hardware device replaces a software one chosen earlier, once.
        s.id = d.id;
        chosenHardware = true;
        replaced = true;
      }
    }
    s.hardware[option - 1] = s.found && chosenHardware;
  }
  if (!s.found) {
    platform::MessageBox(0, kNoColorModelText, kNoColorModelCaption, platform::MB_OK);
    return false;
  }
  *id = s.id;
  return true;
}

bool SetShadesForScreenDepth(DeviceRecord* rec) {
  engine::Device* device = DeviceOf(rec);
  engine::Engine* eng = EngineOf(rec);
  if (!device || !eng) return false;
  switch (Search().screenBits) {
    case 0:
      return false;
    case 1:
      return device->SetShades(4) && eng->SetDefaultTextureShades(4);
    case 16:
      return device->SetShades(32) && eng->SetDefaultTextureColors(64) &&
             eng->SetDefaultTextureShades(32);
    case 24:
    case 32:
      return device->SetShades(256) && eng->SetDefaultTextureColors(64) &&
             eng->SetDefaultTextureShades(256);
    default:
      return true;  // a 256-colour screen and any other depth keep the engine's defaults
  }
}

bool SetUpDevice(DeviceRecord* rec, platform::HWND hwnd) {
  auto fail = [rec] {
    QuitRecord(rec);
    return false;
  };
  engine::Engine* eng = EngineOf(rec);
  engine::Frame* camera = CameraOf(rec);
  if (!eng || !camera) return fail();

  engine::Ref<engine::Clipper> clipper = engine::CreateClipper(hwnd);
  if (!clipper) return fail();
  eng->Adopt(clipper.get());
  engine::Clipper* clip = clipper.get();
  rec->clipper = HandOut(std::move(clipper));
  if (!rec->clipper) return fail();

  int width = 0, height = 0;
  if (!platform::GetClientSize(hwnd, &width, &height)) return fail();
  Search().screenBits = platform::GetScreenBitsPerPixel();

  engine::DeviceId id;
  const engine::DeviceId* chosen = nullptr;
  if (rec->colorModel != 0 && FindDeviceForColorModel(static_cast<int32_t>(rec->colorModel), &id))
    chosen = &id;

  engine::Ref<engine::Device> device =
      engine::CreateDeviceFromClipper(eng, clip, chosen, width, height);
  if (!device) return fail();
  engine::Device* dev = device.get();
  rec->device = HandOut(std::move(device));
  if (!rec->device) return fail();

  engine::Ref<engine::Viewport> viewport =
      engine::CreateViewport(eng, dev, camera, 0, 0, dev->GetWidth(), dev->GetHeight());
  if (!viewport) return fail();
  engine::Viewport* vp = viewport.get();
  rec->viewport = HandOut(std::move(viewport));
  if (!rec->viewport) return fail();

  if (!vp->SetBack(5000.0f)) return fail();
  if (!dev->SetQuality(engine::kQualityGouraud)) return fail();
  if (!SetShadesForScreenDepth(rec)) return fail();
  return true;
}

void QuitRecord(DeviceRecord* rec) {
  if (!rec) return;
  ReleaseField(rec->scene);
  ReleaseField(rec->camera);
  ReleaseField(rec->viewport);
  ReleaseField(rec->device);
  ReleaseField(rec->engine);
  ReleaseField(rec->clipper);
  rec->colorModel = 0;
  platform::HWND hwnd = rec->hwnd;
  // Only the record that subclassed the window takes the subclass away again, so that quitting a
  // second record on the same window leaves the first one's binding in place.
  if (hwnd && platform::GetProp(hwnd, kInfoProperty) == reinterpret_cast<uintptr_t>(rec)) {
    uintptr_t prev = platform::RemoveProp(hwnd, kPrevProcProperty);
    if (prev) platform::SetWindowProc(hwnd, reinterpret_cast<platform::WindowProc>(prev));
    platform::RemoveProp(hwnd, kInfoProperty);
  }
}

namespace {

void OnSize(DeviceRecord* rec, platform::HWND hwnd, platform::LPARAM lParam) {
  int width = static_cast<int>(lParam & 0xFFFF);
  int height = static_cast<int>((lParam >> 16) & 0xFFFF);
  engine::Viewport* vp = ViewportOf(rec);
  if (!vp || width == 0 || height == 0) return;
  if (width == vp->GetWidth() && height == vp->GetHeight()) return;
  // Engine, scene and camera stay; the window-sized objects are made again.
  ReleaseField(rec->viewport);
  ReleaseField(rec->device);
  ReleaseField(rec->clipper);
  SetUpDevice(rec, hwnd);  // on failure the record is already emptied
}

void OnActivate(DeviceRecord* rec, platform::WPARAM wParam) {
  if (engine::Device* d = DeviceOf(rec)) d->HandleActivate(static_cast<uint32_t>(wParam));
}

void OnPaint(DeviceRecord* rec, platform::HWND hwnd) {
  engine::Device* d = DeviceOf(rec);
  if (!d) return;
  d->HandleActivate(1);
  if (platform::GetUpdateRect(hwnd, nullptr)) {
    platform::PaintInfo paint;
    platform::BeginPaint(hwnd, &paint);
    d->HandlePaint(&paint);
    platform::EndPaint(hwnd, &paint);
  }
  d->Update();
}

}  // namespace

platform::LRESULT BridgeWindowProc(platform::HWND hwnd, uint32_t msg, platform::WPARAM wParam,
                                   platform::LPARAM lParam) {
  auto prev = reinterpret_cast<platform::WindowProc>(platform::GetProp(hwnd, kPrevProcProperty));
  auto* rec = reinterpret_cast<DeviceRecord*>(platform::GetProp(hwnd, kInfoProperty));
  try {
    if (rec) {
      switch (msg) {
        case platform::WM_SIZE:
          OnSize(rec, hwnd, lParam);
          break;
        case platform::WM_ACTIVATE:
          OnActivate(rec, wParam);
          break;
        case platform::WM_PAINT:
          OnPaint(rec, hwnd);
          break;
        default:
          break;
      }
    }
  } catch (...) {
    // The message goes on to the previous procedure whatever happened here.
  }
  if (!prev || prev == &BridgeWindowProc)
    return platform::DefaultWindowProc(hwnd, msg, wParam, lParam);
  return platform::CallWindowProc(prev, hwnd, msg, wParam, lParam);
}

}  // namespace bridge
