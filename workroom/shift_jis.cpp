#include "workroom/shift_jis.h"

#include <cstdint>
#include <stdexcept>

namespace kubisto {
namespace {

struct Mapping {
  char32_t code_point;
  std::uint16_t sjis;
};

// The characters of the title beyond ASCII, with their two-byte Shift_JIS codes.
constexpr Mapping kTable[] = {
    {U'超', 0x92B4}, {U'簡', 0x8AC8}, {U'易', 0x88D5}, {U'積', 0x90CF}, {U'み', 0x82DD},
    {U'木', 0x96D8}, {U'「', 0x8175}, {U'」', 0x8176}, {U'β', 0x83C0},
};

// Decodes one UTF-8 sequence at text[pos], advancing pos.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  int extra = 0;
  char32_t cp = 0;
  if (lead < 0x80) {
    cp = lead;
  } else if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    throw std::invalid_argument("malformed UTF-8 text");
  }
  if (pos + extra >= text.size() && extra > 0) {
    throw std::invalid_argument("truncated UTF-8 text");
  }
  for (int i = 1; i <= extra; ++i) {
    const unsigned char next = byte(pos + i);
    if ((next & 0xC0) != 0x80) throw std::invalid_argument("malformed UTF-8 text");
    cp = (cp << 6) | (next & 0x3F);
  }
  pos += 1 + extra;
  return cp;
}

}  // namespace

std::string ToShiftJis(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const char32_t cp = NextCodePoint(utf8, pos);
    if (cp < 0x80) {
      out.push_back(static_cast<char>(cp));
      continue;
    }
    bool found = false;
    for (const Mapping& m : kTable) {
      if (m.code_point == cp) {
        out.push_back(static_cast<char>(m.sjis >> 8));
        out.push_back(static_cast<char>(m.sjis & 0xFF));
        found = true;
        break;
      }
    }
    if (!found) throw std::invalid_argument("character without a Shift_JIS code in this table");
  }
  return out;
}

}  // namespace kubisto
