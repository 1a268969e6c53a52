// Expectations on engine vectors, component by component.
#pragma once

#include <gtest/gtest.h>

#include "engine/math.h"

#define EXPECT_VEC_WITHIN(v, ex, ey, ez, tolerance) \
  do {                                              \
    ::engine::Vector v_ = (v);                      \
    EXPECT_NEAR(v_.x, (ex), (tolerance)) << "x";    \
    EXPECT_NEAR(v_.y, (ey), (tolerance)) << "y";    \
    EXPECT_NEAR(v_.z, (ez), (tolerance)) << "z";    \
  } while (0)

#define EXPECT_VEC_NEAR(v, ex, ey, ez) EXPECT_VEC_WITHIN(v, ex, ey, ez, 1e-4f)
