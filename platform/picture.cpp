// Reference-counted pictures.
#include "platform/picture.h"

#include <algorithm>
#include <new>

namespace platform {

Picture::Picture(int width, int height)
    : width_(width),
      height_(height),
      pixels_(static_cast<size_t>(width) * static_cast<size_t>(height), 0) {}

uint32_t Picture::AddRef() { return ++refs_; }

uint32_t Picture::Release() {
  const uint32_t left = --refs_;
  if (left == 0) delete this;
  return left;
}

void Picture::setPalette(const uint32_t* entries256) {
  if (!entries256) {
    palette_.clear();
    return;
  }
  palette_.assign(entries256, entries256 + 256);
}

Picture* CreatePicture(int width, int height) {
  if (width <= 0 || height <= 0 || width > kMaxPictureExtent || height > kMaxPictureExtent) {
    return nullptr;
  }
  if (int64_t{width} * height > kMaxPicturePixels) return nullptr;
  try {
    return new Picture(width, height);
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

}  // namespace platform
