// Picture decoding on any bytes: a clean failure or a picture of the size it claims. Decoding is
// bounded small here so that each input runs fast; a decoded picture must then also make a texture.
#include "engine/image_decode.h"
#include "engine/texture.h"
#include "fuzz/targets.h"

namespace kubisto::fuzz {

int TextureTarget(const uint8_t* data, size_t size) {
  constexpr int kSide = 1024;
  constexpr size_t kPixels = size_t{1} << 18;
  engine::DecodedImage image;
  if (!engine::DecodeImage(data, size, kSide, kPixels, image)) return 0;
  FUZZ_CHECK(image.width > 0 && image.height > 0);
  FUZZ_CHECK(image.width <= kSide && image.height <= kSide);
  FUZZ_CHECK(image.pixels.size() == static_cast<size_t>(image.width) * image.height);

  engine::Ref<engine::Texture> texture = engine::Texture::Decode(data, size);
  FUZZ_CHECK(texture);
  FUZZ_CHECK(texture->GetWidth() == image.width && texture->GetHeight() == image.height);
  FUZZ_CHECK(texture->Pixels() == image.pixels);
  return 0;
}

}  // namespace kubisto::fuzz

KUBISTO_FUZZ_ENTRY(kubisto::fuzz::TextureTarget)
