#include "python/script_colour.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

namespace kubisto::script {
namespace {

// The colour menu's entries (English and Japanese captions) and their values.
const std::pair<const char*, std::int32_t> kNamed[] = {
    {"red", 0x0000FF},     {"赤", 0x0000FF},       {"blue", 0xFF0000},  {"青", 0xFF0000},
    {"yellow", 0x00FFFF},  {"黄", 0x00FFFF},       {"green", 0x00FF00}, {"緑", 0x00FF00},
    {"magenta", 0xFF00FF}, {"マゼンタ", 0xFF00FF}, {"cyan", 0xFFFF00},  {"シアン", 0xFFFF00},
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

}  // namespace

std::int32_t ColourFromName(const std::string& name) {
  if (name.find('\0') != std::string::npos)
    throw std::invalid_argument("colour: a NUL character is not allowed");
  if (name.size() == 7 && name[0] == '#') {
    std::int32_t rgb = 0;
    for (size_t i = 1; i < 7; ++i) {
      const int digit = HexDigit(name[i]);
      if (digit < 0)
        throw std::invalid_argument("colour " + name + ": give #RRGGBB in hexadecimal");
      rgb = rgb * 16 + digit;
    }
    // #RRGGBB to the room's 0x00BBGGRR.
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF);
  }
  std::string lower = name;
  std::transform(lower.begin(), lower.end(), lower.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  for (const auto& [known, value] : kNamed)
    if (lower == known) return value;
  throw std::invalid_argument("unknown colour \"" + name +
                              "\": give red, blue, yellow, green, magenta, cyan, their Japanese "
                              "names, \"#RRGGBB\" or a number 0xBBGGRR");
}

std::int32_t ColourFromValue(long long value) {
  if (value < 0 || value > 0xFFFFFF)
    throw std::invalid_argument("colour " + std::to_string(value) + " is outside 0..0xFFFFFF");
  return static_cast<std::int32_t>(value);
}

}  // namespace kubisto::script
