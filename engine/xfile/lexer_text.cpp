// The text encoding: identifiers, numbers, quoted strings, braces; ',' and ';' separate; "//" and
// '#' start a comment to the end of the line.
#include <charconv>
#include <cmath>

#include "engine/xfile/float_text.h"
#include "engine/xfile/lexer.h"

namespace engine::xfile {
namespace {

bool isNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c >= 0x80;
}
bool isNameChar(unsigned char c) {
  return isNameStart(c) || (c >= '0' && c <= '9') || c == '-' || c == '.';
}
bool isNumberChar(unsigned char c) {
  return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

class TextLexer final : public Lexer {
 public:
  TextLexer(const uint8_t* data, size_t size) : p_(data), end_(data + size) {}

  Token Next() override {
    if (failed_) return Token{Tok::Error};
    skipSpace();
    if (p_ == end_) return Token{Tok::End};
    const unsigned char c = *p_;
    if (c == '{') return single(Tok::OBrace);
    if (c == '}') return single(Tok::CBrace);
    if (c == '[' || c == ']') return single(Tok::Other);
    if (c == '"') return quoted();
    if (c == '<') return guid();
    if (isNameStart(c)) {
      const uint8_t* start = p_;
      while (p_ != end_ && isNameChar(*p_)) ++p_;
      return Token{Tok::Name, view(start, p_)};
    }
    if (c == '.' && end_ - p_ >= 3 && p_[1] == '.' && p_[2] == '.') {  // "[...]" of open templates
      p_ += 3;
      return Token{Tok::Other};
    }
    if (isNumberChar(c)) return numberToken();
    return fail();
  }

  size_t NumbersLeftBound() const override { return static_cast<size_t>(end_ - p_) / 2 + 1; }

 private:
  static std::string_view view(const uint8_t* a, const uint8_t* b) {
    return {reinterpret_cast<const char*>(a), static_cast<size_t>(b - a)};
  }

  Token fail() {
    failed_ = true;
    return Token{Tok::Error};
  }

  Token single(Tok kind) {
    ++p_;
    return Token{kind};
  }

  void skipSpace() {
    while (p_ != end_) {
      const unsigned char c = *p_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == ',' || c == ';') {
        ++p_;
      } else if (c == '#' || (c == '/' && end_ - p_ >= 2 && p_[1] == '/')) {
        while (p_ != end_ && *p_ != '\n') ++p_;
      } else {
        return;
      }
    }
  }

  Token quoted() {
    const uint8_t* start = ++p_;
    while (p_ != end_ && *p_ != '"') ++p_;
    if (p_ == end_) return fail();  // unterminated
    Token t{Tok::String, view(start, p_)};
    ++p_;
    return t;
  }

  Token guid() {
    while (p_ != end_ && *p_ != '>') ++p_;
    if (p_ == end_) return fail();
    ++p_;
    return Token{Tok::Guid};
  }

  Token numberToken() {
    const uint8_t* start = p_;
    while (p_ != end_ && isNumberChar(*p_)) ++p_;
    const char* first = reinterpret_cast<const char*>(start);
    const char* last = reinterpret_cast<const char*>(p_);
    if (*first == '+') ++first;  // from_chars takes no plus sign
    if (first == last) return fail();
    Token t;
    auto [ip, iec] = std::from_chars(first, last, t.integer);
    if (iec == std::errc() && ip == last) {
      t.kind = Tok::Integer;
      t.number = static_cast<double>(t.integer);
      return t;
    }
    auto [fp, fec] = DoubleFromChars(first, last, t.number);
    if (fec != std::errc() || fp != last || !std::isfinite(t.number)) return fail();
    t.kind = Tok::Float;
    t.text = std::string_view(first, static_cast<size_t>(last - first));  // for exact float reads
    return t;
  }

  const uint8_t* p_;
  const uint8_t* end_;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<Lexer> MakeTextLexer(const uint8_t* data, size_t size) {
  return std::make_unique<TextLexer>(data, size);
}

}  // namespace engine::xfile
