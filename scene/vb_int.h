// Integer arithmetic with the range checks of the program's 16-bit (Integer) and 32-bit (Long)
// types: a result outside the type's range raises OverflowError instead of wrapping.
#pragma once

#include <cstdint>
#include <limits>

#include "scene/errors.h"

namespace kubisto {

template <class T>
class VbInt {
 public:
  constexpr VbInt() = default;
  constexpr VbInt(T value) : value_(value) {}  // NOLINT: literals and loop counters convert freely

  // The checked conversion of a wider value into this type.
  static VbInt From(int64_t value) {
    if (value < std::numeric_limits<T>::min() || value > std::numeric_limits<T>::max()) {
      throw OverflowError();
    }
    return VbInt(static_cast<T>(value));
  }

  constexpr T value() const { return value_; }

  friend VbInt operator+(VbInt a, VbInt b) { return From(int64_t{a.value_} + b.value_); }
  friend VbInt operator-(VbInt a, VbInt b) { return From(int64_t{a.value_} - b.value_); }
  friend VbInt operator*(VbInt a, VbInt b) { return From(int64_t{a.value_} * b.value_); }
  // Mod keeps the sign of the dividend, as C++'s % does.
  friend VbInt operator%(VbInt a, VbInt b) { return From(int64_t{a.value_} % b.value_); }
  friend constexpr bool operator==(VbInt a, VbInt b) { return a.value_ == b.value_; }
  friend constexpr auto operator<=>(VbInt a, VbInt b) { return a.value_ <=> b.value_; }

 private:
  T value_ = 0;
};

using VbInteger = VbInt<int16_t>;
using VbLong = VbInt<int32_t>;

}  // namespace kubisto
