#include "scene/height_array.h"

#include <cstddef>

namespace kubisto {

HeightArray HeightArray::Zeros(int32_t count1, int32_t count2) {
  HeightArray d;
  d.ub1 = count1 - 1;
  d.ub2 = count2 - 1;
  d.values.assign(static_cast<size_t>(count1) * static_cast<size_t>(count2), 0.0);
  return d;
}

bool HeightArray::IsValid() const {
  return Count1() >= 0 && Count2() >= 0 &&
         static_cast<uint64_t>(Count1()) * static_cast<uint64_t>(Count2()) == values.size();
}

double& HeightArray::operator()(int32_t i, int32_t j) {
  return values.at(static_cast<size_t>((int64_t{i} - lb1) + (int64_t{j} - lb2) * Count1()));
}

double HeightArray::operator()(int32_t i, int32_t j) const {
  return values.at(static_cast<size_t>((int64_t{i} - lb1) + (int64_t{j} - lb2) * Count1()));
}

}  // namespace kubisto
