// A cubic grid indexed (x, y, z) with the bounds 0..upper on every axis (upper + 1 entries per
// axis). Out-of-range indices throw std::out_of_range instead of touching memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>

namespace kubisto {

template <typename T>
class Grid3 {
 public:
  Grid3() = default;
  // Every entry starts value-initialised (false, 0, empty pointer).
  explicit Grid3(std::int32_t upper) { Reset(upper); }

  void Reset(std::int32_t upper) {
    if (upper < 0) upper = -1;  // an empty grid
    const std::size_t n = static_cast<std::size_t>(upper + 1);
    upper_ = upper;
    cells_ = std::make_unique<T[]>(n * n * n);
  }

  std::int32_t Upper() const { return upper_; }

  T& operator()(std::int32_t x, std::int32_t y, std::int32_t z) { return cells_[Index(x, y, z)]; }
  const T& operator()(std::int32_t x, std::int32_t y, std::int32_t z) const {
    return cells_[Index(x, y, z)];
  }

  bool Contains(std::int32_t x, std::int32_t y, std::int32_t z) const {
    return x >= 0 && y >= 0 && z >= 0 && x <= upper_ && y <= upper_ && z <= upper_;
  }

 private:
  std::size_t Index(std::int32_t x, std::int32_t y, std::int32_t z) const {
    if (!Contains(x, y, z)) throw std::out_of_range("grid index out of range");
    const std::size_t n = static_cast<std::size_t>(upper_ + 1);
    return (static_cast<std::size_t>(z) * n + static_cast<std::size_t>(y)) * n +
           static_cast<std::size_t>(x);
  }

  std::int32_t upper_ = -1;
  std::unique_ptr<T[]> cells_;
};

}  // namespace kubisto
