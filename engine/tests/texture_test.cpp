// Texture loading from BMP files of every palette depth and true colour, and bad files.
#include "engine/texture.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "engine/engine.h"
#include "tests/support/temp_folder.h"

namespace engine {
namespace {

void Put16(std::vector<uint8_t>& b, uint32_t v) {
  b.push_back(v & 0xFF);
  b.push_back((v >> 8) & 0xFF);
}
void Put32(std::vector<uint8_t>& b, uint32_t v) {
  Put16(b, v & 0xFFFF);
  Put16(b, v >> 16);
}

// A BMP of the given depth. For depths up to 8, pixels are palette indices and palette holds
// 0x00RRGGBB entries; for 24 bits, pixels are 0x00RRGGBB. Rows are stored bottom-up.
std::vector<uint8_t> MakeBmp(int width, int height, int bpp, const std::vector<uint32_t>& palette,
                             const std::vector<uint32_t>& pixels) {
  uint32_t stride = (width * bpp + 31) / 32 * 4;
  uint32_t offset = 14 + 40 + 4 * static_cast<uint32_t>(palette.size());
  std::vector<uint8_t> b;
  b.push_back('B');
  b.push_back('M');
  Put32(b, offset + stride * height);
  Put32(b, 0);
  Put32(b, offset);
  Put32(b, 40);
  Put32(b, width);
  Put32(b, height);
  Put16(b, 1);
  Put16(b, bpp);
  Put32(b, 0);  // uncompressed
  Put32(b, stride * height);
  Put32(b, 2835);
  Put32(b, 2835);
  Put32(b, static_cast<uint32_t>(palette.size()));
  Put32(b, 0);
  for (uint32_t c : palette) Put32(b, c);  // stored blue, green, red, 0
  for (int y = height - 1; y >= 0; --y) {
    std::vector<uint8_t> row(stride, 0);
    for (int x = 0; x < width; ++x) {
      uint32_t p = pixels[y * width + x];
      if (bpp == 24) {
        row[x * 3] = p & 0xFF;
        row[x * 3 + 1] = (p >> 8) & 0xFF;
        row[x * 3 + 2] = (p >> 16) & 0xFF;
      } else {
        int bit = x * bpp;
        int shift = 8 - bpp - bit % 8;  // the leftmost pixel sits in the high bits
        row[bit / 8] |= static_cast<uint8_t>(p << shift);
      }
    }
    b.insert(b.end(), row.begin(), row.end());
  }
  return b;
}

class TextureTest : public ::testing::Test {
 protected:
  std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) {
    const std::string path = folder_.File(name);
    kubisto::testing::TempFolder::Write(path, std::string(bytes.begin(), bytes.end()));
    return path;
  }
  kubisto::testing::TempFolder folder_;
};

// An image of width 5 x height 3 whose pixel (x, y) is the palette entry (x + 2y) mod n.
std::vector<uint32_t> Pattern(int n) {
  std::vector<uint32_t> p;
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) p.push_back((x + 2 * y) % n);
  return p;
}

std::vector<uint32_t> Palette(int n) {
  std::vector<uint32_t> pal;
  for (int i = 0; i < n; ++i)
    pal.push_back(((i * 40) & 0xFF) << 16 | ((255 - i * 17) & 0xFF) << 8 | (i * 3 & 0xFF));
  return pal;
}

void ExpectPattern(const Texture& t, const std::vector<uint32_t>& palette) {
  ASSERT_EQ(t.GetWidth(), 5);
  ASSERT_EQ(t.GetHeight(), 3);
  std::vector<uint32_t> idx = Pattern(static_cast<int>(palette.size()));
  for (int i = 0; i < 15; ++i)
    EXPECT_EQ(t.Pixels()[i], 0xFF000000u | palette[idx[i]]) << "pixel " << i;
}

TEST_F(TextureTest, LoadsPaletteBmpsOfOneFourAndEightBits) {
  for (int bpp : {1, 4, 8}) {
    SCOPED_TRACE(bpp);
    std::vector<uint32_t> pal = Palette(1 << bpp);
    Ref<Texture> t = Texture::Load(Write("p.bmp", MakeBmp(5, 3, bpp, pal, Pattern(1 << bpp))));
    ASSERT_TRUE(t);
    ExpectPattern(*t, pal);
  }
}

TEST_F(TextureTest, LoadsTrueColourBmpTopRowFirst) {
  std::vector<uint32_t> px;
  for (int i = 0; i < 15; ++i) px.push_back(static_cast<uint32_t>(i * 0x0A0B0C) & 0xFFFFFF);
  Ref<Texture> t = Texture::Load(Write("t.bmp", MakeBmp(5, 3, 24, {}, px)));
  ASSERT_TRUE(t);
  ASSERT_EQ(t->Pixels().size(), 15u);
  for (int i = 0; i < 15; ++i) EXPECT_EQ(t->Pixels()[i], 0xFF000000u | px[i]);
}

TEST_F(TextureTest, EngineLoadAcceptsBackslashesAndSetsDefaults) {
  Ref<Engine> e = Engine::Create();
  ASSERT_TRUE(e->SetDefaultTextureShades(32));
  EXPECT_FALSE(e->SetDefaultTextureColors(0));
  std::string path =
      Write("w.bmp", MakeBmp(64, 32, 24, {}, std::vector<uint32_t>(64 * 32, 0x123456)));
  std::string dos = path;
  for (char& c : dos)
    if (c == '/') c = '\\';
  Ref<Texture> t = e->LoadTexture(dos);
  ASSERT_TRUE(t);
  EXPECT_EQ(t->GetWidth(), 64);
  EXPECT_EQ(t->GetHeight(), 32);
  EXPECT_EQ(t->GetShades(), 32);
  EXPECT_EQ(t->GetColors(), 8);
  EXPECT_EQ(t->GetOwner(), e.get());
  EXPECT_EQ(t->GetFileName(), dos);
}

TEST_F(TextureTest, BadFilesGiveNoTexture) {
  std::vector<uint8_t> good = MakeBmp(5, 3, 8, Palette(256), Pattern(256));
  std::vector<uint8_t> cut(good.begin(), good.end() - 7);
  EXPECT_FALSE(Texture::Load(Write("cut.bmp", cut)));
  std::vector<uint8_t> headerOnly(good.begin(), good.begin() + 20);
  EXPECT_FALSE(Texture::Load(Write("head.bmp", headerOnly)));
  EXPECT_FALSE(Texture::Load(Write("empty.bmp", {})));
  EXPECT_FALSE(
      Texture::Load(Write("junk.bmp", {'n', 'o', 't', ' ', 'a', 'n', ' ', 'i', 'm', 'g'})));
  EXPECT_FALSE(Texture::Load("/nonexistent/kita.bmp"));
  EXPECT_FALSE(Texture::Load(""));
  // A header that claims a vast picture is refused before anything is allocated for it.
  std::vector<uint8_t> huge = MakeBmp(1, 1, 24, {}, {0});
  huge[18] = 0xFF, huge[19] = 0xFF, huge[20] = 0xFF, huge[21] = 0x3F;  // width 2^30
  huge[22] = 0xFF, huge[23] = 0xFF, huge[24] = 0xFF, huge[25] = 0x3F;
  EXPECT_FALSE(Texture::Decode(huge.data(), huge.size()));
  EXPECT_FALSE(Texture::Decode(nullptr, 10));
}

TEST_F(TextureTest, DecalSettingsAndClone) {
  Ref<Texture> t = Ref<Texture>::Adopt(new Texture(2, 1, {0xFF000000, kWhite}));
  EXPECT_TRUE(t->GetDecalScale());
  EXPECT_FALSE(t->GetDecalTransparency());
  EXPECT_TRUE(t->SetDecalOrigin(1, -2));
  EXPECT_TRUE(t->SetDecalSize(3, 4));
  EXPECT_FALSE(t->SetDecalSize(-1, 4));
  EXPECT_TRUE(t->SetDecalTransparentColor(0xFF00FF00));
  EXPECT_FALSE(t->SetShades(0));
  auto c = Ref<Texture>::Adopt(static_cast<Texture*>(t->Clone()));
  int32_t x, y;
  float w, h;
  c->GetDecalOrigin(x, y);
  c->GetDecalSize(w, h);
  EXPECT_EQ(x, 1);
  EXPECT_EQ(y, -2);
  EXPECT_EQ(w, 3);
  EXPECT_EQ(c->GetDecalTransparentColor(), 0xFF00FF00u);
  EXPECT_EQ(c->Pixels(), t->Pixels());
  // A texture made from too few pixels is empty, not out of bounds.
  Texture bad(4, 4, {kWhite});
  EXPECT_TRUE(bad.Empty());
  EXPECT_EQ(bad.GetWidth(), 0);
}

}  // namespace
}  // namespace engine
