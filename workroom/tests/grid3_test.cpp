#include "workroom/grid3.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace kubisto {
namespace {

TEST(Grid3, BoundsAreInclusiveAndChecked) {
  Grid3<bool> g(5);
  EXPECT_EQ(g.Upper(), 5);
  EXPECT_FALSE(g(5, 5, 5));
  g(5, 0, 2) = true;
  EXPECT_TRUE(g(5, 0, 2));
  EXPECT_FALSE(g(2, 0, 5));  // distinct cells do not alias
  EXPECT_THROW(g(6, 0, 0), std::out_of_range);
  EXPECT_THROW(g(0, -1, 0), std::out_of_range);
  g.Reset(3);  // afresh: empty
  EXPECT_FALSE(g(3, 0, 2));
  EXPECT_THROW(g(4, 0, 0), std::out_of_range);
  Grid3<int> empty;
  EXPECT_THROW(empty(0, 0, 0), std::out_of_range);
}

}  // namespace
}  // namespace kubisto
