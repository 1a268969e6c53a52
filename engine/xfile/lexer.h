// Token streams of the mesh file's text and binary encodings. Both yield the same tokens, so that
// one parser reads either. Separators (',' and ';') carry no meaning for the parser and are
// dropped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace engine::xfile {

enum class Tok {
  End,      // end of input
  Error,    // malformed input; every later call returns Error again
  Name,     // identifier (text holds it)
  String,   // quoted string (text holds it without the quotes)
  Integer,  // whole number (integer holds it; number holds it too)
  Float,    // number with a fraction or exponent (number holds it; text its digits, if text)
  OBrace,
  CBrace,
  Guid,   // <...> class identifier; only skipped
  Other,  // template declaration syntax: '[', ']', '.', type keywords
};

struct Token {
  Token(Tok k = Tok::End, std::string_view t = {}) : kind(k), text(t) {}
  Tok kind;
  std::string_view text;
  int64_t integer = 0;
  double number = 0;
};

class Lexer {
 public:
  virtual ~Lexer() = default;
  virtual Token Next() = 0;
  // An upper bound of the number tokens still to come, so that the parser can refuse a count that
  // the rest of the input cannot hold before allocating for it.
  virtual size_t NumbersLeftBound() const = 0;
};

// Lexers over data that must outlive them. floatBits is 32 or 64 (the size of binary floats).
std::unique_ptr<Lexer> MakeTextLexer(const uint8_t* data, size_t size);
std::unique_ptr<Lexer> MakeBinaryLexer(const uint8_t* data, size_t size, int floatBits);

}  // namespace engine::xfile
