#include "engine/texture.h"

#include <cmath>

#include "engine/image_decode.h"
#include "platform/paths.h"
#include "platform/read_file.h"

namespace engine {

Texture::Texture(int width, int height, std::vector<Color> pixels) : Object(Kind::Texture) {
  if (width > 0 && height > 0 && width <= kMaxSide && height <= kMaxSide &&
      static_cast<size_t>(width) * static_cast<size_t>(height) <= kMaxPixels &&
      pixels.size() >= static_cast<size_t>(width) * static_cast<size_t>(height)) {
    width_ = width;
    height_ = height;
    pixels_ = std::move(pixels);
    pixels_.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
  }
}

Texture::~Texture() = default;

Object* Texture::Clone() const {
  auto* t = new Texture(width_, height_, pixels_);
  CopyBaseTo(*t);
  t->fileName_ = fileName_;
  t->colors_ = colors_;
  t->shades_ = shades_;
  t->decalOriginX_ = decalOriginX_;
  t->decalOriginY_ = decalOriginY_;
  t->decalWidth_ = decalWidth_;
  t->decalHeight_ = decalHeight_;
  t->decalScale_ = decalScale_;
  t->decalTransparency_ = decalTransparency_;
  t->transparentColor_ = transparentColor_;
  return t;
}

Ref<Texture> Texture::Decode(const uint8_t* data, size_t size) {
  DecodedImage image;
  if (!DecodeImage(data, size, kMaxSide, kMaxPixels, image)) return nullptr;
  auto t = Ref<Texture>::Adopt(new Texture(image.width, image.height, std::move(image.pixels)));
  if (t->Empty()) return nullptr;
  return t;
}

Ref<Texture> Texture::Load(const std::string& path) {
  if (path.empty()) return nullptr;
  std::string bytes;
  try {
    bytes = platform::ReadRegularFile(platform::NativePath(path), kMaxFileBytes);
  } catch (const platform::ReadFileError&) {  // missing, special (never waited on) or too large
    return nullptr;
  }
  if (bytes.empty()) return nullptr;
  Ref<Texture> t = Decode(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
  if (t) t->fileName_ = path;
  return t;
}

bool Texture::SetColors(int32_t colors) {
  if (colors < 1) return false;
  colors_ = colors;
  return true;
}

bool Texture::SetShades(int32_t shades) {
  if (shades < 1) return false;
  shades_ = shades;
  return true;
}

bool Texture::SetDecalOrigin(int32_t x, int32_t y) {
  decalOriginX_ = x;
  decalOriginY_ = y;
  return true;
}

bool Texture::GetDecalOrigin(int32_t& x, int32_t& y) const {
  x = decalOriginX_;
  y = decalOriginY_;
  return true;
}

bool Texture::SetDecalSize(float width, float height) {
  if (!std::isfinite(width) || !std::isfinite(height) || width < 0 || height < 0) return false;
  decalWidth_ = width;
  decalHeight_ = height;
  return true;
}

bool Texture::GetDecalSize(float& width, float& height) const {
  width = decalWidth_;
  height = decalHeight_;
  return true;
}

}  // namespace engine
