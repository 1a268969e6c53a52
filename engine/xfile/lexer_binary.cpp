// The binary encoding: a stream of 16-bit little-endian token codes, some followed by data.
//   1 name: u32 length, bytes            2 string: u32 length, bytes (then a ',' or ';' token)
//   3 integer: u32                       5 class identifier: 16 bytes
//   6 integer list: u32 count, u32 each  7 float list: u32 count, float or double each
//   10 '{'  11 '}'  19 ','  20 ';'  31 template
//   12-18 and 40-53: template declaration syntax (brackets, dots, type keywords)
// Lists are handed out one number at a time.
#include <cmath>
#include <cstring>

#include "engine/xfile/binary_tokens.h"
#include "engine/xfile/lexer.h"

namespace engine::xfile {
namespace {

class BinaryLexer final : public Lexer {
 public:
  BinaryLexer(const uint8_t* data, size_t size, int floatBits)
      : p_(data), end_(data + size), floatSize_(floatBits == 64 ? 8 : 4) {}

  Token Next() override {
    if (failed_) return Token{Tok::Error};
    if (listLeft_ > 0) return listItem();
    for (;;) {
      if (p_ == end_) return Token{Tok::End};
      uint16_t code;
      if (!readU16(code)) return fail();
      switch (code) {
        case kTokName:
        case kTokString: {
          uint32_t n;
          if (!readU32(n) || n > left()) return fail();
          Token t{code == kTokName ? Tok::Name : Tok::String,
                  std::string_view(reinterpret_cast<const char*>(p_), n)};
          p_ += n;
          return t;
        }
        case kTokInteger: {
          uint32_t v;
          if (!readU32(v)) return fail();
          return integerToken(v);
        }
        case kTokGuid:
          if (left() < 16) return fail();
          p_ += 16;
          return Token{Tok::Guid};
        case kTokIntegerList:
        case kTokFloatList: {
          uint32_t n;
          if (!readU32(n)) return fail();
          const size_t itemSize = code == kTokIntegerList ? 4 : floatSize_;
          if (n > left() / itemSize) return fail();  // the list must fit in what is left
          if (n == 0) continue;
          listLeft_ = n;
          listIsFloat_ = code == kTokFloatList;
          return listItem();
        }
        case kTokOBrace:
          return Token{Tok::OBrace};
        case kTokCBrace:
          return Token{Tok::CBrace};
        case kTokComma:
        case kTokSemicolon:
          continue;
        case kTokTemplate:
          return Token{Tok::Name, "template"};
        default:
          if ((code >= 12 && code <= 18) || (code >= 40 && code <= 53)) return Token{Tok::Other};
          return fail();
      }
    }
  }

  size_t NumbersLeftBound() const override { return listLeft_ + left() / 4 + 1; }

 private:
  size_t left() const { return static_cast<size_t>(end_ - p_); }

  Token fail() {
    failed_ = true;
    return Token{Tok::Error};
  }

  bool readU16(uint16_t& v) {
    if (left() < 2) return false;
    v = static_cast<uint16_t>(p_[0] | (p_[1] << 8));
    p_ += 2;
    return true;
  }

  bool readU32(uint32_t& v) {
    if (left() < 4) return false;
    v = static_cast<uint32_t>(p_[0]) | (static_cast<uint32_t>(p_[1]) << 8) |
        (static_cast<uint32_t>(p_[2]) << 16) | (static_cast<uint32_t>(p_[3]) << 24);
    p_ += 4;
    return true;
  }

  static Token integerToken(uint32_t v) {
    Token t{Tok::Integer};
    t.integer = v;
    t.number = v;
    return t;
  }

  // Sizes were checked when the list began, so the reads cannot run past the end.
  Token listItem() {
    --listLeft_;
    if (!listIsFloat_) {
      uint32_t v = 0;
      readU32(v);
      return integerToken(v);
    }
    Token t{Tok::Float};
    if (floatSize_ == 4) {
      uint32_t bits = 0;
      readU32(bits);
      float f;
      std::memcpy(&f, &bits, 4);
      t.number = f;
    } else {
      uint32_t lo = 0, hi = 0;
      readU32(lo);
      readU32(hi);
      const uint64_t bits = (static_cast<uint64_t>(hi) << 32) | lo;
      std::memcpy(&t.number, &bits, 8);
    }
    if (!std::isfinite(t.number)) return fail();
    return t;
  }

  const uint8_t* p_;
  const uint8_t* end_;
  size_t floatSize_;
  size_t listLeft_ = 0;
  bool listIsFloat_ = false;
  bool failed_ = false;
};

}  // namespace

std::unique_ptr<Lexer> MakeBinaryLexer(const uint8_t* data, size_t size, int floatBits) {
  return std::make_unique<BinaryLexer>(data, size, floatBits);
}

}  // namespace engine::xfile
