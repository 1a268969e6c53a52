#include "engine/device.h"

#include <algorithm>
#include <cstring>

#include "engine/engine.h"
#include "engine/types.h"
#include "platform/services.h"

namespace engine {
namespace {

constexpr uint32_t kAllDepths = kDepth8 | kDepth16 | kDepth24 | kDepth32;

// The fixed palette of a device that draws through one: a 6 x 6 x 6 colour cube and 40 greys.
const uint32_t* FixedPalette() {
  static const auto palette = [] {
    static uint32_t p[256];
    int n = 0;
    for (int r = 0; r < 6; ++r)
      for (int g = 0; g < 6; ++g)
        for (int b = 0; b < 6; ++b)
          p[n++] = static_cast<uint32_t>((r * 51) << 16 | (g * 51) << 8 | (b * 51));
    for (int k = 0; k < 40; ++k) {
      uint32_t v = static_cast<uint32_t>((k + 1) * 255 / 41);
      p[n++] = v << 16 | v << 8 | v;
    }
    return p;
  }();
  return palette;
}

// The palette entry nearest to c (cube or grey ramp, whichever is closer).
uint32_t ReduceToPalette(uint32_t c) {
  int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  auto q = [](int v) { return (v + 25) / 51; };
  uint32_t cube = static_cast<uint32_t>((q(r) * 51) << 16 | (q(g) * 51) << 8 | (q(b) * 51));
  int grey = (r + g + b) / 3;
  int k = std::clamp((grey * 41 + 127) / 255 - 1, 0, 39);
  uint32_t gv = static_cast<uint32_t>((k + 1) * 255 / 41);
  auto dist = [&](uint32_t p) {
    int dr = static_cast<int>((p >> 16) & 0xFF) - r, dg = static_cast<int>((p >> 8) & 0xFF) - g,
        db = static_cast<int>(p & 0xFF) - b;
    return dr * dr + dg * dg + db * db;
  };
  uint32_t greyColor = gv << 16 | gv << 8 | gv;
  return dist(greyColor) < dist(cube) ? greyColor : cube;
}

}  // namespace

const std::vector<DeviceDescription>& EnumerateDevices() {
  static const std::vector<DeviceDescription> devices = [] {
    std::vector<DeviceDescription> d(2);
    d[0].id.bytes[0] = 'K';
    d[0].id.bytes[1] = 'R';  // ramp
    d[0].name = "Kubisto mono ramp device";
    d[0].softwareColorModel = kColorModelMono;
    d[0].softwareDepths = kAllDepths;
    d[1].id.bytes[0] = 'K';
    d[1].id.bytes[1] = 'C';  // colour
    d[1].name = "Kubisto RGB device";
    d[1].softwareColorModel = kColorModelRGB;
    d[1].softwareDepths = kAllDepths;
    return d;
  }();
  return devices;
}

Device::Device(platform::HWND hwnd, int width, int height, int32_t colorModel)
    : Object(Kind::Device),
      hwnd_(hwnd),
      width_(width),
      height_(height),
      color_(static_cast<size_t>(width) * height, 0),
      depth_(static_cast<size_t>(width) * height, 0.0f),
      colorModel_(colorModel) {
  int bits = platform::GetScreenBitsPerPixel();
  usesPalette_ = bits > 0 && bits <= 8;
}

Device::~Device() = default;

bool Device::SetQuality(int32_t quality) {
  if (!IsValidQuality(quality)) return false;
  quality_ = quality;
  return true;
}

bool Device::SetShades(int32_t shades) {
  if (shades < 1) return false;
  shades_ = shades;
  return true;
}

bool Device::SetTextureQuality(int32_t quality) {
  if (quality < 0 || quality > 5) return false;
  textureQuality_ = quality;
  return true;
}

const uint32_t* Device::Palette() const { return usesPalette_ ? FixedPalette() : nullptr; }

void ClearRows(const Device::Clear& c, uint32_t* color, float* depth, int pitch, int rowBegin,
               int rowEnd) {
  const int w = c.x1 - c.x0;
  for (int y = std::max(rowBegin, c.y0); y < std::min(rowEnd, c.y1); ++y) {
    std::fill_n(color + static_cast<size_t>(y) * pitch + c.x0, w, c.color);
    std::fill_n(depth + static_cast<size_t>(y) * pitch + c.x0, w, 0.0f);
  }
}

void Device::DeferClear(const Clear& c) {
  FinishClear();
  pending_ = c;
  clearPending_ = true;
}

bool Device::TakeClear(Clear& c) {
  if (!clearPending_) return false;
  c = pending_;
  clearPending_ = false;
  return true;
}

void Device::FinishClear() const {
  if (!clearPending_) return;
  // The buffers belong to the device, which is never made const: a reader of a const device still
  // sees the picture as drawn.
  auto& self = const_cast<Device&>(*this);
  self.clearPending_ = false;
  ClearRows(pending_, self.color_.data(), self.depth_.data(), width_, pending_.y0, pending_.y1);
}

bool Device::Update() {
  if (!platform::IsWindow(hwnd_)) return false;
  if (!drawn_) return true;
  FinishClear();
  drawn_ = false;
  const uint32_t* pixels = color_.data();
  if (usesPalette_) {
    shown_.resize(color_.size());
    std::transform(color_.begin(), color_.end(), shown_.begin(), ReduceToPalette);
    pixels = shown_.data();
  }
  return platform::WriteFramebuffer(hwnd_, pixels, width_, height_, width_);
}

bool Device::HandleActivate(uint32_t wParam) {
  active_ = (wParam & 0xFFFF) != 0;
  return true;
}

bool Device::HandlePaint(const platform::PaintInfo*) { return platform::IsWindow(hwnd_); }

platform::Picture* Device::Snapshot(int width, int height) const {
  if (width <= 0 || height <= 0 || width > width_ || height > height_) return nullptr;
  platform::Picture* pic = platform::CreatePicture(width, height);
  if (!pic) return nullptr;
  FinishClear();
  for (int y = 0; y < height; ++y) {
    const uint32_t* src = color_.data() + static_cast<size_t>(y) * width_;
    uint32_t* dst = pic->pixels() + static_cast<size_t>(y) * width;
    if (usesPalette_) {
      std::transform(src, src + width, dst, ReduceToPalette);
    } else {
      std::memcpy(dst, src, sizeof(uint32_t) * width);
    }
  }
  if (usesPalette_) pic->setPalette(FixedPalette());
  return pic;
}

Ref<Device> CreateDeviceFromClipper(Engine* engine, Clipper* clipper, const DeviceId* id, int width,
                                    int height) {
  if (!clipper || !platform::IsWindow(clipper->GetHWnd())) return nullptr;
  if (width < 1 || height < 1 || width > Device::kMaxExtent || height > Device::kMaxExtent)
    return nullptr;
  int32_t model = kColorModelRGB;
  if (id) {
    const DeviceDescription* found = nullptr;
    for (const DeviceDescription& d : EnumerateDevices())
      if (std::memcmp(d.id.bytes, id->bytes, sizeof id->bytes) == 0) found = &d;
    if (!found) return nullptr;
    model = static_cast<int32_t>(found->softwareColorModel);
  }
  Ref<Device> device = Ref<Device>::Adopt(new Device(clipper->GetHWnd(), width, height, model));
  if (engine) engine->Adopt(device.get());
  return device;
}

}  // namespace engine
