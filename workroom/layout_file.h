// The block layout file (".KBS"): the cell count, one record x,y,z,colour per block, the end
// record and the program's title. Written with CR LF line ends and the title in Shift_JIS;
// read with CR LF or LF alone.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kubisto {

// The title line's text, as the file carries it (in Shift_JIS on disk).
inline constexpr char kLayoutTitle[] = "超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2";

// The largest cell count a file may hold: the room is built with Divide³ cell frames.
inline constexpr std::int32_t kMaxLayoutDivide = 16;

// A layout file is a few kilobytes; anything far larger is not one and is not read into memory.
inline constexpr std::uintmax_t kMaxLayoutFileBytes = 16u * 1024u * 1024u;

// A layout that cannot be read or is not a layout. what() is worded for a message box and names
// the file; Line() and Reason() give the parts, Line() being 0 when the file could not be read.
class LayoutError : public std::runtime_error {
 public:
  LayoutError(const std::string& message, int line, const std::string& reason)
      : std::runtime_error(message), line_(line), reason_(reason) {}
  int Line() const { return line_; }
  const std::string& Reason() const { return reason_; }

 private:
  int line_;
  std::string reason_;
};

struct LayoutRecord {
  std::int32_t x, y, z, color;
  bool operator==(const LayoutRecord&) const = default;
};

struct Layout {
  std::int32_t divide = 0;
  std::vector<LayoutRecord> records;  // in file order, end record excluded
  std::int32_t models = 1;            // the models of the file read (a .vox file's first is read)
};

// The bytes of a layout file for these blocks (given in the order to write them).
std::string FormatLayout(std::int32_t divide, const std::vector<LayoutRecord>& records);

// Parses and checks a whole layout file's bytes. Throws LayoutError naming fileName and the
// line for: an early end, a field that is not a 32-bit decimal integer, a cell count outside
// 1..kMaxLayoutDivide, a record with x, y or z outside 0..divide. Only x is tested for the end
// mark (-1); the title must be present but its content is not checked. A bad field is quoted by
// a short printable excerpt, never whole.
Layout ParseLayout(std::string_view bytes, const std::string& fileName);

// A layout file's bytes, read as ReadLayoutFile reads them; throws LayoutError (line 0) when they
// cannot be read.
std::string ReadLayoutBytes(const std::string& path);

// Reads and parses a layout file (or a .vox model, workroom/vox_file.h); throws LayoutError when it
// cannot be read: when it is not a regular file (a FIFO or a device is never waited on) or is over
// kMaxLayoutFileBytes.
Layout ReadLayoutFile(const std::string& path);

}  // namespace kubisto
