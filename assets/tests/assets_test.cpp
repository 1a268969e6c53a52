// Checks the committed data files: present under the names the program uses, in formats and sizes
// its loaders accept, sounds short enough, and help documents (Japanese and English) whose links
// all lead somewhere.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <utility>
#include <vector>

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

namespace fs = std::filesystem;

namespace {

const fs::path kFiles = fs::path(KUBISTO_SOURCE_DIR) / "assets" / "files";

std::vector<uint8_t> readBytes(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | b.at(at + i);
  return v;
}

struct Image {
  int width = 0, height = 0, channels = 0;
  bool loaded = false;
};

Image loadImage(const fs::path& p) {
  Image im;
  unsigned char* px = stbi_load(p.string().c_str(), &im.width, &im.height, &im.channels, 4);
  im.loaded = px != nullptr;
  stbi_image_free(px);
  return im;
}

struct Wave {
  uint16_t format = 0, channels = 0, bits = 0;
  uint32_t rate = 0, dataBytes = 0;
  double seconds() const {
    return rate && channels && bits ? dataBytes / double(rate * channels * bits / 8) : 0;
  }
};

// Walks the RIFF chunks: "fmt " and "data" may be preceded by others.
Wave readWave(const fs::path& p) {
  const std::vector<uint8_t> b = readBytes(p);
  Wave w;
  if (b.size() < 12 || std::string(b.begin(), b.begin() + 4) != "RIFF" ||
      std::string(b.begin() + 8, b.begin() + 12) != "WAVE")
    return w;
  size_t at = 12;
  while (at + 8 <= b.size()) {
    const std::string id(b.begin() + at, b.begin() + at + 4);
    const uint32_t size = le(b, at + 4, 4);
    if (id == "fmt " && at + 24 <= b.size()) {
      w.format = le(b, at + 8, 2);
      w.channels = le(b, at + 10, 2);
      w.rate = le(b, at + 12, 4);
      w.bits = le(b, at + 22, 2);
    } else if (id == "data") {
      w.dataBytes = std::min<uint32_t>(size, b.size() - at - 8);
    }
    at += 8 + size + (size & 1);
  }
  return w;
}

std::string readText(const fs::path& p) {
  const std::vector<uint8_t> b = readBytes(p);
  return std::string(b.begin(), b.end());
}

TEST(Assets, WallPicturesLoadAsPowerOfTwoTextures) {
  for (const char* name : {"kita", "nishi", "higashi", "minami", "ten", "ti"}) {
    const fs::path p = kFiles / "walls" / (std::string(name) + ".bmp");
    const std::vector<uint8_t> b = readBytes(p);
    ASSERT_GE(b.size(), 54u) << p;
    EXPECT_EQ(b[0], 'B');
    EXPECT_EQ(b[1], 'M');
    EXPECT_EQ(le(b, 28, 2), 24u) << p << " is not 24-bit";
    const Image im = loadImage(p);
    ASSERT_TRUE(im.loaded) << p << ": " << stbi_failure_reason();
    EXPECT_EQ(im.width & (im.width - 1), 0) << p;
    EXPECT_EQ(im.height & (im.height - 1), 0) << p;
    EXPECT_LE(im.width, 512) << p;
  }
}

TEST(Assets, SoundsArePcmAndShort) {
  struct Expect {
    const char* name;
    double minSeconds, maxSeconds;
  } sounds[] = {
      {"splash", 0.8, 2.0}, {"move", 0.02, 0.3}, {"turn", 0.02, 0.3}, {"kasha", 0.02, 0.3}};
  for (const Expect& e : sounds) {
    const fs::path p = kFiles / "sound" / (std::string(e.name) + ".wav");
    const Wave w = readWave(p);
    EXPECT_EQ(w.format, 1) << p << " is not PCM";
    EXPECT_EQ(w.channels, 1) << p;
    EXPECT_EQ(w.bits, 16) << p;
    EXPECT_EQ(w.rate, 22050u) << p;
    EXPECT_GE(w.seconds(), e.minSeconds) << p;
    EXPECT_LT(w.seconds(), e.maxSeconds) << p;
  }
}

TEST(Assets, StatusIconHoldsSixteenAndThirtyTwo) {
  const std::vector<uint8_t> b = readBytes(kFiles / "icons" / "squr_g.ico");
  ASSERT_GE(b.size(), 6u);
  EXPECT_EQ(le(b, 0, 2), 0u);
  EXPECT_EQ(le(b, 2, 2), 1u);  // an icon, not a cursor
  const uint32_t count = le(b, 4, 2);
  std::set<int> sizes;
  for (uint32_t i = 0; i < count; ++i) {
    const size_t entry = 6 + 16 * i;
    const uint32_t bytes = le(b, entry + 8, 4), offset = le(b, entry + 12, 4);
    EXPECT_LE(size_t{offset} + bytes, b.size()) << "entry " << i << " runs past the end";
    sizes.insert(b.at(entry));
  }
  EXPECT_TRUE(sizes.count(16));
  EXPECT_TRUE(sizes.count(32));
}

TEST(Assets, ProgramPicturesHaveTheirSizes) {
  struct Expect {
    std::string name;
    int width, height;
  };
  std::vector<Expect> pictures = {{"kubisto", 32, 32}, {"toolbox", 234, 478}, {"title", 299, 98}};
  for (const char* t : {"fin", "load", "save", "turn", "stop", "front", "top", "side", "bird",
                        "front_en", "top_en", "side_en"})
    pictures.push_back({std::string("tb_") + t, 16, 16});
  for (const char* t :
       {"add", "delete", "x", "mx", "y", "my", "z", "mz", "up", "down", "left", "right"})
    pictures.push_back({std::string("btn_") + t, 32, 32});
  for (const Expect& e : pictures) {
    const fs::path p = kFiles / "images" / (e.name + ".png");
    const Image im = loadImage(p);
    ASSERT_TRUE(im.loaded) << p;
    EXPECT_EQ(im.width, e.width) << p;
    EXPECT_EQ(im.height, e.height) << p;
  }
}

std::set<std::string> anchorsOf(const std::string& html) {
  std::set<std::string> anchors;
  const std::regex name("name=\"([^\"]+)\"");
  for (auto it = std::sregex_iterator(html.begin(), html.end(), name); it != std::sregex_iterator();
       ++it)
    anchors.insert((*it)[1]);
  return anchors;
}

// The first character of the kana, CJK ideograph or full-/half-width ranges in UTF-8 text, with its
// byte offset; 0 when there is none.
std::pair<char32_t, size_t> firstJapaneseCharacter(const std::string& text) {
  for (size_t at = 0; at < text.size();) {
    const auto lead = static_cast<unsigned char>(text[at]);
    const int length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (int i = 1; i < length && at + i < text.size(); ++i)
      c = (c << 6) | (static_cast<unsigned char>(text[at + i]) & 0x3F);
    if ((c >= 0x3000 && c <= 0x30FF) || (c >= 0x3400 && c <= 0x9FFF) ||
        (c >= 0xFF00 && c <= 0xFFEF))
      return {c, at};
    at += length;
  }
  return {0, 0};
}

TEST(Assets, HelpOpensAtContentsAndItsLinksResolve) {
  for (const char* file : {"kubisto.hlp", "kubisto_en.hlp"}) {
    SCOPED_TRACE(file);
    const fs::path p = kFiles / "help" / file;
    const std::string html = readText(p);
    ASSERT_FALSE(html.empty());
    EXPECT_NE(html.find("charset=\"utf-8\""), std::string::npos);
    EXPECT_NE(html.find("name=\"contents\""), std::string::npos);
    EXPECT_LT(html.find("name=\"contents\""), html.find("<h2"));  // at the top, before any section

    const std::set<std::string> anchors = anchorsOf(html);
    const std::regex href("href=\"#([^\"]+)\"");
    int links = 0;
    for (auto it = std::sregex_iterator(html.begin(), html.end(), href);
         it != std::sregex_iterator(); ++it, ++links)
      EXPECT_TRUE(anchors.count((*it)[1])) << "no anchor for #" << (*it)[1];
    EXPECT_GT(links, 5);
    const std::regex img("src=\"([^\"]+)\"");
    for (auto it = std::sregex_iterator(html.begin(), html.end(), img);
         it != std::sregex_iterator(); ++it)
      EXPECT_TRUE(fs::exists(p.parent_path() / std::string((*it)[1]))) << (*it)[1];
  }
}

TEST(Assets, EnglishHelpIsAllEnglishAndHasEverySection) {
  const std::string japanese = readText(kFiles / "help" / "kubisto.hlp");
  const std::string english = readText(kFiles / "help" / "kubisto_en.hlp");
  ASSERT_FALSE(english.empty());
  EXPECT_NE(japanese.find("<html lang=\"ja\">"), std::string::npos);
  EXPECT_NE(english.find("<html lang=\"en\">"), std::string::npos);

  const auto [character, at] = firstJapaneseCharacter(english);
  EXPECT_EQ(character, 0u) << "U+" << std::hex << std::uppercase << uint32_t(character)
                           << " at byte " << std::dec << at << ": ..."
                           << english.substr(at > 40 ? at - 40 : 0, 80);
  // The check itself: the Japanese document is full of such characters.
  EXPECT_NE(firstJapaneseCharacter(japanese).first, 0u);

  // Every section the Japanese help has, the English one has under the same name, and no other.
  EXPECT_EQ(anchorsOf(english), anchorsOf(japanese));
  EXPECT_GT(anchorsOf(english).size(), 10u);
}

TEST(Assets, DataFolderExistsAndTheWholeSetStaysSmall) {
  // The build makes the layouts' folder beside the program; none is shipped (an installed program
  // keeps layouts per user), so no placeholder file shows up in the file window.
  EXPECT_TRUE(fs::is_directory(fs::path(KUBISTO_BIN_DIR) / "data"));
  EXPECT_FALSE(fs::exists(kFiles / "data"));
  uintmax_t total = 0;
  for (const auto& e : fs::recursive_directory_iterator(kFiles))
    if (e.is_regular_file()) total += e.file_size();
  EXPECT_LT(total, 2u * 1024 * 1024);
}

}  // namespace
