// A two-dimensional array of heights with the bounds of each dimension, as MeshBuilder::Plot reads
// it: d(i, j) for i in lb1..ub1 and j in lb2..ub2.
#pragma once

#include <cstdint>
#include <vector>

namespace kubisto {

struct HeightArray {
  int32_t lb1 = 0, ub1 = -1;  // bounds of the first dimension (one row of points)
  int32_t lb2 = 0, ub2 = -1;  // bounds of the second dimension (the rows)
  // The heights, first dimension fastest: index (i - lb1) + (j - lb2) * (ub1 - lb1 + 1).
  std::vector<double> values;

  // A zero-filled array with lower bounds 0.
  static HeightArray Zeros(int32_t count1, int32_t count2);

  int64_t Count1() const { return int64_t{ub1} - lb1 + 1; }
  int64_t Count2() const { return int64_t{ub2} - lb2 + 1; }
  // True when the bounds and the value count agree.
  bool IsValid() const;
  double& operator()(int32_t i, int32_t j);
  double operator()(int32_t i, int32_t j) const;
};

}  // namespace kubisto
