// The block layout file (".KBS"): the cell count, one record x,y,z,colour per block, the end
// record and the program's title. Written with CR LF line ends and the title in Shift_JIS;
// read with CR LF or LF alone.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace kubisto {

// The title line's text, as the file carries it (in Shift_JIS on disk).
inline constexpr char kLayoutTitle[] = "超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2";

// The largest cell count a file may hold: the room is built with Divide³ cell frames.
inline constexpr std::int32_t kMaxLayoutDivide = 16;

struct LayoutRecord {
  std::int32_t x, y, z, color;
  bool operator==(const LayoutRecord&) const = default;
};

struct Layout {
  std::int32_t divide = 0;
  std::vector<LayoutRecord> records;  // in file order, end record excluded
};

// The bytes of a layout file for these blocks (given in the order to write them).
std::string FormatLayout(std::int32_t divide, const std::vector<LayoutRecord>& records);

// Parses and checks a whole layout file's bytes. Throws std::runtime_error naming fileName and
// the line for: an early end, a field that is not a 32-bit decimal integer, a cell count outside
// 1..kMaxLayoutDivide, a record with x, y or z outside 0..divide. Only x is tested for the end
// mark (-1); the title must be present but its content is not checked.
Layout ParseLayout(std::string_view bytes, const std::string& fileName);

// Reads and parses a layout file; throws std::runtime_error when it cannot be read.
Layout ReadLayoutFile(const std::string& path);

}  // namespace kubisto
