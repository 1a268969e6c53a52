// A scoped window goes with its owner on every path out, also when an exception leaves the scope.
#include "platform/scoped_window.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace platform {
namespace {

TEST(ScopedWindowTest, TheWindowGoesWithItsOwnerOnEveryPathOut) {
  HWND kept = 0;
  {
    ScopedWindow window(4, 3);
    ASSERT_TRUE(window);
    kept = window.get();
    EXPECT_TRUE(IsWindow(kept));
  }
  EXPECT_FALSE(IsWindow(kept));

  try {
    ScopedWindow window(4, 3);
    kept = window.get();
    throw std::runtime_error("a scene call failed");
  } catch (const std::runtime_error&) {
  }
  EXPECT_FALSE(IsWindow(kept));
}

TEST(ScopedWindowTest, MovedAndResetWindowsAreDestroyedOnce) {
  ScopedWindow first(2, 2);
  const HWND id = first.get();
  ScopedWindow second(std::move(first));
  EXPECT_EQ(first.get(), 0u);
  EXPECT_EQ(second.get(), id);
  ScopedWindow third(5, 5);
  const HWND replaced = third.get();
  third = std::move(second);
  EXPECT_FALSE(IsWindow(replaced));
  EXPECT_EQ(third.get(), id);
  third.Reset();
  EXPECT_FALSE(IsWindow(id));
  third.Reset();                      // nothing left to destroy
  EXPECT_FALSE(ScopedWindow(-1, 1));  // a size no window can have
}

}  // namespace
}  // namespace platform
