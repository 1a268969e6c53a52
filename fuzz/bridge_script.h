// Reading a fuzz input as a script: small integers, interesting floats, short texts. Past the end
// every read gives 0, so any input is a complete script.
#pragma once

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace kubisto::fuzz {

class Script {
 public:
  Script(const uint8_t* data, size_t size) : p_(data), left_(size) {}

  bool Done() const { return left_ == 0; }

  uint8_t Byte() {
    if (left_ == 0) return 0;
    --left_;
    return *p_++;
  }
  uint32_t U32() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= uint32_t{Byte()} << (8 * i);
    return v;
  }
  // Mostly small values, sometimes edges or any value.
  int32_t Int() {
    switch (Byte() & 3) {
      case 0:
        return static_cast<int8_t>(Byte());
      case 1:
        return Byte() % 8;
      case 2:
        return static_cast<int32_t>(U32());
      default: {
        static constexpr int32_t kEdges[] = {-1,
                                             0,
                                             1,
                                             2,
                                             3,
                                             255,
                                             256,
                                             65535,
                                             65536,
                                             1 << 20,
                                             std::numeric_limits<int32_t>::min(),
                                             std::numeric_limits<int32_t>::max()};
        return kEdges[Byte() % (sizeof kEdges / sizeof kEdges[0])];
      }
    }
  }
  // An index into a list of n entries (n > 0).
  size_t Pick(size_t n) { return n == 0 ? 0 : Byte() % n; }

  float Float() {
    const uint8_t b = Byte();
    if (b < 160) {
      static constexpr float kValues[] = {0.0f,   1.0f,   -1.0f, 0.5f,     2.0f,   10.0f,
                                          -10.0f, 100.0f, 0.25f, 3.14159f, -0.75f, 5000.0f,
                                          1e-6f,  1e6f,   -1e6f, 7.0f};
      return kValues[b % 16];
    }
    if (b < 200) return static_cast<float>(static_cast<int8_t>(Byte())) / 8.0f;
    if (b < 230) {
      static constexpr float kEdges[] = {std::numeric_limits<float>::quiet_NaN(),
                                         std::numeric_limits<float>::infinity(),
                                         -std::numeric_limits<float>::infinity(),
                                         std::numeric_limits<float>::max(),
                                         -std::numeric_limits<float>::max(),
                                         std::numeric_limits<float>::denorm_min(),
                                         1e30f,
                                         -1e30f};
      return kEdges[b % 8];
    }
    const uint32_t bits = U32();
    float f;
    std::memcpy(&f, &bits, sizeof f);
    return f;
  }

  // A short text of any bytes but NUL.
  std::string Text() {
    std::string s(Byte() % 12, 'a');
    for (char& c : s) {
      const uint8_t b = Byte();
      c = static_cast<char>(b == 0 ? 'x' : b);
    }
    return s;
  }

 private:
  const uint8_t* p_;
  size_t left_;
};

}  // namespace kubisto::fuzz
