#include "workroom/layout_file.h"

#include <charconv>
#include <limits>
#include <optional>
#include <stdexcept>

#include "platform/read_file.h"
#include "workroom/shift_jis.h"
#include "workroom/vox_file.h"

namespace kubisto {
namespace {

[[noreturn]] void Fail(const std::string& fileName, int line, const std::string& reason) {
  throw LayoutError(
      "Layout file \"" + fileName + "\", line " + std::to_string(line) + ": " + reason, line,
      reason);
}

// Fields longer than this are shown by their first kExcerpt bytes and their length.
constexpr std::size_t kShortField = 24;
constexpr std::size_t kExcerpt = 16;

// A field's bytes as they may be shown in a message: printable ASCII as it is, every other byte
// as \xHH (a binary file would otherwise put raw bytes into a message box).
std::string Printable(std::string_view bytes) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    const auto c = static_cast<unsigned char>(bytes[i]);
    if (c >= 0x20 && c < 0x7F && c != '\\') {
      out += static_cast<char>(c);
    } else {
      out += "\\x";
      out += kHex[c >> 4];
      out += kHex[c & 15];
    }
  }
  return out;
}

// A field as a message quotes it: whole when short, else a short excerpt and the field's length
// ("1111111111111111…" (40000 bytes)), so that a huge field still makes a short message.
std::string Quoted(std::string_view field) {
  // Built by appending: gcc 12 warns falsely (-Wrestrict) on a literal + temporary + literal.
  std::string out(1, '"');
  if (field.size() <= kShortField) {
    out += Printable(field);
    out += '"';
    return out;
  }
  out += Printable(field.substr(0, kExcerpt));
  out += "…\" (";
  out += std::to_string(field.size());
  out += " bytes)";
  return out;
}

// Splits the file into fields: a field ends at a comma or a line end, blanks before it are
// skipped, a quoted text runs to its closing quote, and empty lines between fields are skipped.
class FieldReader {
 public:
  FieldReader(std::string_view bytes, const std::string& fileName)
      : bytes_(bytes), fileName_(fileName) {}

  struct Field {
    std::string text;
    int line;
  };

  // The next field, or nothing at the end of the file.
  std::optional<Field> Next() {
    for (;;) {
      SkipBlanks();
      if (pos_ >= bytes_.size()) {
        if (afterComma_) {  // "1,2," at the very end: an empty last field
          afterComma_ = false;
          return Field{std::string(), line_};
        }
        return std::nullopt;
      }
      if (!AtLineEnd()) break;
      if (afterComma_) {  // "1,2,<line end>": the field after the comma is empty
        afterComma_ = false;
        const int line = line_;
        SkipLineEnd();
        return Field{std::string(), line};
      }
      SkipLineEnd();  // an empty line between fields
    }
    Field field{std::string(), line_};
    if (bytes_[pos_] == '"') {
      ++pos_;
      while (pos_ < bytes_.size() && bytes_[pos_] != '"') {
        if (bytes_[pos_] == '\n') ++line_;
        field.text.push_back(bytes_[pos_++]);
      }
      if (pos_ < bytes_.size()) ++pos_;  // the closing quote
      // Anything between the closing quote and the delimiter is not part of the text.
      while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !AtLineEnd()) ++pos_;
    } else {
      while (pos_ < bytes_.size() && bytes_[pos_] != ',' && !AtLineEnd()) {
        field.text.push_back(bytes_[pos_++]);
      }
      while (!field.text.empty() && (field.text.back() == ' ' || field.text.back() == '\t')) {
        field.text.pop_back();
      }
    }
    afterComma_ = false;
    if (pos_ < bytes_.size()) {
      if (bytes_[pos_] == ',') {
        ++pos_;
        afterComma_ = true;
      } else {
        SkipLineEnd();
      }
    }
    return field;
  }

  // The next field as a 32-bit decimal integer; what names the field in an error message.
  std::int32_t NextInteger(const char* what) {
    const int lineBefore = line_;
    std::optional<Field> field = Next();
    if (!field)
      Fail(fileName_, lineBefore, std::string("the file ends where ") + what + " is expected");
    const std::string& t = field->text;
    std::int64_t value = 0;
    const char* first = t.data();
    const char* last = t.data() + t.size();
    const bool digitsOnly =
        !t.empty() && t.find_first_not_of("0123456789", t[0] == '-' ? 1 : 0) == std::string::npos &&
        t != "-";
    if (!digitsOnly)
      Fail(fileName_, field->line, std::string(what) + " " + Quoted(t) + " is not a number");
    const auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
      // A short number is shown as it is, a long one by an excerpt.
      Fail(
          fileName_, field->line,
          std::string(what) + " " + (t.size() <= kShortField ? t : Quoted(t)) + " is out of range");
    }
    lastLine_ = field->line;
    return static_cast<std::int32_t>(value);
  }

  int Line() const { return line_; }
  int LastLine() const { return lastLine_; }

 private:
  bool AtLineEnd() const { return bytes_[pos_] == '\r' || bytes_[pos_] == '\n'; }
  void SkipBlanks() {
    while (pos_ < bytes_.size() && (bytes_[pos_] == ' ' || bytes_[pos_] == '\t')) ++pos_;
  }
  // CR LF, LF or a lone CR: one line end.
  void SkipLineEnd() {
    if (bytes_[pos_] == '\r') {
      ++pos_;
      if (pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
    } else {
      ++pos_;
    }
    ++line_;
  }

  std::string_view bytes_;
  const std::string& fileName_;
  std::size_t pos_ = 0;
  int line_ = 1;
  int lastLine_ = 1;
  bool afterComma_ = false;
};

void AppendLine(std::string& out, const std::string& line) {
  out += line;
  out += "\r\n";
}

}  // namespace

std::string FormatLayout(std::int32_t divide, const std::vector<LayoutRecord>& records) {
  std::string out;
  out.reserve(64 + records.size() * 24);
  AppendLine(out, std::to_string(divide));
  for (const LayoutRecord& r : records) {
    AppendLine(out, std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.z) +
                        "," + std::to_string(r.color));
  }
  AppendLine(out, "-1,-1,-1,0");
  // Built by appending: gcc 12 warns falsely (-Wrestrict) on a literal + temporary + literal.
  std::string title(1, '"');
  title += ToShiftJis(kLayoutTitle);
  title += '"';
  AppendLine(out, title);
  return out;
}

Layout ParseLayout(std::string_view bytes, const std::string& fileName) {
  FieldReader reader(bytes, fileName);
  Layout layout;
  layout.divide = reader.NextInteger("the cell count");
  if (layout.divide < 1 || layout.divide > kMaxLayoutDivide) {
    Fail(fileName, reader.LastLine(),
         "the cell count " + std::to_string(layout.divide) + " is outside 1.." +
             std::to_string(kMaxLayoutDivide));
  }
  for (;;) {
    LayoutRecord r{};
    r.x = reader.NextInteger("x");
    const int recordLine = reader.LastLine();
    r.y = reader.NextInteger("y");
    r.z = reader.NextInteger("z");
    r.color = reader.NextInteger("the colour");
    if (r.x == -1) break;  // the end record; only x marks it
    const auto inside = [&](std::int32_t v) { return v >= 0 && v <= layout.divide; };
    if (!inside(r.x) || !inside(r.y) || !inside(r.z)) {
      Fail(fileName, recordLine,
           "the block " + std::to_string(r.x) + "," + std::to_string(r.y) + "," +
               std::to_string(r.z) + " lies outside 0.." + std::to_string(layout.divide));
    }
    layout.records.push_back(r);
  }
  const int lineBefore = reader.Line();
  if (!reader.Next()) Fail(fileName, lineBefore, "the file ends where the title is expected");
  return layout;
}

std::string ReadLayoutBytes(const std::string& path) {
  try {
    return platform::ReadRegularFile(path, kMaxLayoutFileBytes);
  } catch (const platform::ReadFileError& error) {
    using Kind = platform::ReadFileError::Kind;
    const std::string cause =
        error.What() == Kind::kTooLarge ? "too large to be a layout" : std::string(error.what());
    throw LayoutError(std::string(error.What() == Kind::kOpen ? "Cannot open" : "Cannot read") +
                          " layout file \"" + path + "\": " + cause,
                      0, cause);
  }
}

Layout ReadLayoutFile(const std::string& path) {
  const std::string bytes = ReadLayoutBytes(path);
  // A voxel model opens as a layout (workroom/vox_file.h).
  if (IsVoxData(bytes)) return ReadVoxLayout(bytes, path);
  return ParseLayout(bytes, path);
}

}  // namespace kubisto
