#include <gtest/gtest.h>

#include <vector>

#include "platform/window.h"

using namespace platform;

namespace {

// Records the messages that reach a subclass procedure, then passes them on.
struct Log {
  std::vector<uint32_t> msgs;
  std::vector<LPARAM> params;
};
Log gLog;

LRESULT RecordingProc(HWND hwnd, uint32_t msg, WPARAM w, LPARAM l) {
  gLog.msgs.push_back(msg);
  gLog.params.push_back(l);
  auto prev = reinterpret_cast<WindowProc>(GetProp(hwnd, "prev"));
  return CallWindowProc(prev, hwnd, msg, w, l) + 100;
}

LRESULT SecondProc(HWND hwnd, uint32_t msg, WPARAM w, LPARAM l) {
  auto prev = reinterpret_cast<WindowProc>(GetProp(hwnd, "prev2"));
  return CallWindowProc(prev, hwnd, msg, w, l) + 1000;
}

LRESULT SelfDestroyingProc(HWND hwnd, uint32_t msg, WPARAM, LPARAM) {
  if (msg == WM_SIZE) DestroyWindow(hwnd);
  return 0;
}

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    gLog = {};
    hwnd = CreateWindow(40, 30);
    ASSERT_NE(hwnd, 0u);
  }
  void TearDown() override { DestroyWindow(hwnd); }
  HWND hwnd = 0;
};

}  // namespace

TEST_F(WindowTest, LifeAndIds) {
  EXPECT_TRUE(IsWindow(hwnd));
  HWND other = CreateWindow(1, 1);
  EXPECT_NE(other, hwnd);
  EXPECT_TRUE(DestroyWindow(other));
  EXPECT_FALSE(IsWindow(other));
  EXPECT_FALSE(DestroyWindow(other));
  // A destroyed id is not handed out again.
  HWND third = CreateWindow(1, 1);
  EXPECT_NE(third, other);
  DestroyWindow(third);

  EXPECT_EQ(CreateWindow(-1, 5), 0u);
  EXPECT_EQ(CreateWindow(5, kMaxClientExtent + 1), 0u);
  HWND empty = CreateWindow(0, 0);  // a minimised window has no client area
  EXPECT_NE(empty, 0u);
  EXPECT_FALSE(GetUpdateRect(empty, nullptr));
  DestroyWindow(empty);
}

TEST_F(WindowTest, BadIdsFailEverywhere) {
  HWND dead = CreateWindow(2, 2);
  DestroyWindow(dead);
  for (HWND bad : {HWND{0}, dead, HWND{0xFFFFFFFF}}) {
    int w = -7;
    EXPECT_FALSE(IsWindow(bad));
    EXPECT_FALSE(GetClientSize(bad, &w, &w));
    EXPECT_EQ(w, -7);
    EXPECT_FALSE(SetClientSize(bad, 5, 5));
    EXPECT_EQ(GetWindowProc(bad), nullptr);
    EXPECT_EQ(SetWindowProc(bad, &RecordingProc), nullptr);
    EXPECT_EQ(SendMessage(bad, WM_PAINT, 0, 0), 0);
    EXPECT_FALSE(SetProp(bad, "x", 1));
    EXPECT_EQ(GetProp(bad, "x"), 0u);
    EXPECT_EQ(RemoveProp(bad, "x"), 0u);
    EXPECT_FALSE(InvalidateRect(bad, nullptr));
    EXPECT_FALSE(GetUpdateRect(bad, nullptr));
    PaintInfo pi;
    EXPECT_FALSE(BeginPaint(bad, &pi));
    EXPECT_FALSE(EndPaint(bad, &pi));
    uint32_t px = 0;
    EXPECT_FALSE(WriteFramebuffer(bad, &px, 1, 1, 1));
    std::vector<uint32_t> out;
    EXPECT_FALSE(ReadFramebuffer(bad, out, nullptr, nullptr));
    SetRepaintHook(bad, [](HWND) {});
  }
  EXPECT_EQ(gLog.msgs.size(), 0u);
}

TEST_F(WindowTest, ProcedureChainSubclassAndRestore) {
  WindowProc original = GetWindowProc(hwnd);
  ASSERT_EQ(original, &DefaultWindowProc);
  EXPECT_EQ(SetWindowProc(hwnd, nullptr), nullptr);  // refused, nothing changes
  EXPECT_EQ(GetWindowProc(hwnd), original);

  // Two subclasses stacked, each calling the one before it.
  ASSERT_TRUE(
      SetProp(hwnd, "prev", reinterpret_cast<uintptr_t>(SetWindowProc(hwnd, &RecordingProc))));
  ASSERT_TRUE(
      SetProp(hwnd, "prev2", reinterpret_cast<uintptr_t>(SetWindowProc(hwnd, &SecondProc))));
  EXPECT_EQ(SendMessage(hwnd, WM_ACTIVATE, 1, 0), 1100);
  ASSERT_EQ(gLog.msgs.size(), 1u);
  EXPECT_EQ(gLog.msgs[0], WM_ACTIVATE);

  // Unwinding restores the original procedure.
  EXPECT_EQ(SetWindowProc(hwnd, reinterpret_cast<WindowProc>(RemoveProp(hwnd, "prev2"))),
            &SecondProc);
  EXPECT_EQ(SetWindowProc(hwnd, reinterpret_cast<WindowProc>(RemoveProp(hwnd, "prev"))),
            &RecordingProc);
  EXPECT_EQ(GetWindowProc(hwnd), original);
  EXPECT_EQ(SendMessage(hwnd, WM_ACTIVATE, 1, 0), 0);
  EXPECT_EQ(gLog.msgs.size(), 1u);
  EXPECT_EQ(CallWindowProc(nullptr, hwnd, WM_PAINT, 0, 0), 0);
}

TEST_F(WindowTest, DestroySendsDestroyThroughChain) {
  SetProp(hwnd, "prev", reinterpret_cast<uintptr_t>(SetWindowProc(hwnd, &RecordingProc)));
  EXPECT_TRUE(DestroyWindow(hwnd));
  ASSERT_EQ(gLog.msgs.size(), 1u);
  EXPECT_EQ(gLog.msgs[0], WM_DESTROY);
}

TEST_F(WindowTest, Properties) {
  EXPECT_EQ(GetProp(hwnd, "d3dInfo"), 0u);
  const uintptr_t big = ~uintptr_t{0} - 5;  // a full 64-bit value survives
  EXPECT_TRUE(SetProp(hwnd, "d3dInfo", big));
  EXPECT_TRUE(SetProp(hwnd, "d3dPrevProc", 7));
  EXPECT_EQ(GetProp(hwnd, "d3dInfo"), big);
  EXPECT_EQ(GetProp(hwnd, "d3dinfo"), 0u);       // names are exact
  EXPECT_TRUE(SetProp(hwnd, "d3dPrevProc", 8));  // replaces
  EXPECT_EQ(RemoveProp(hwnd, "d3dPrevProc"), 8u);
  EXPECT_EQ(RemoveProp(hwnd, "d3dPrevProc"), 0u);
  EXPECT_EQ(GetProp(hwnd, "d3dInfo"), big);
  EXPECT_FALSE(SetProp(hwnd, nullptr, 1));
  EXPECT_EQ(GetProp(hwnd, nullptr), 0u);
  EXPECT_EQ(RemoveProp(hwnd, nullptr), 0u);

  HWND other = CreateWindow(1, 1);
  EXPECT_EQ(GetProp(other, "d3dInfo"), 0u);  // per window
  DestroyWindow(other);
}

TEST_F(WindowTest, SetClientSizePacksSizeMessage) {
  SetProp(hwnd, "prev", reinterpret_cast<uintptr_t>(SetWindowProc(hwnd, &RecordingProc)));
  ASSERT_TRUE(SetClientSize(hwnd, 640, 480));
  ASSERT_EQ(gLog.msgs.size(), 1u);
  EXPECT_EQ(gLog.msgs[0], WM_SIZE);
  EXPECT_EQ(gLog.params[0] & 0xFFFF, 640);
  EXPECT_EQ((gLog.params[0] >> 16) & 0xFFFF, 480);
  int w = 0, h = 0;
  EXPECT_TRUE(GetClientSize(hwnd, &w, &h));
  EXPECT_EQ(w, 640);
  EXPECT_EQ(h, 480);
  EXPECT_TRUE(GetClientSize(hwnd, nullptr, nullptr));

  ASSERT_TRUE(SetClientSize(hwnd, kMaxClientExtent, 1));
  EXPECT_EQ(gLog.params[1], MakeSizeParam(kMaxClientExtent, 1));
  EXPECT_EQ(gLog.params[1], LPARAM{kMaxClientExtent | (1 << 16)});

  EXPECT_FALSE(SetClientSize(hwnd, -1, 10));
  EXPECT_FALSE(SetClientSize(hwnd, 10, kMaxClientExtent + 1));
  EXPECT_EQ(gLog.msgs.size(), 2u);
}

TEST_F(WindowTest, ProcedureMayDestroyItsWindowDuringResize) {
  SetWindowProc(hwnd, &SelfDestroyingProc);
  EXPECT_TRUE(SetClientSize(hwnd, 10, 10));
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowTest, UpdateRegionAndPainting) {
  Rect r;
  // A new window is invalid as a whole.
  ASSERT_TRUE(GetUpdateRect(hwnd, &r));
  EXPECT_EQ(r.right, 40);
  EXPECT_EQ(r.bottom, 30);

  // The default procedure validates on paint.
  EXPECT_EQ(SendMessage(hwnd, WM_PAINT, 0, 0), 0);
  EXPECT_FALSE(GetUpdateRect(hwnd, &r));
  EXPECT_EQ(r.right, 0);

  Rect a{2, 3, 5, 6}, b{10, 1, 12, 4};
  InvalidateRect(hwnd, &a);
  InvalidateRect(hwnd, &b);
  ASSERT_TRUE(GetUpdateRect(hwnd, &r));
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, 1);
  EXPECT_EQ(r.right, 12);
  EXPECT_EQ(r.bottom, 6);

  // Clipped to the client area; an empty or outside rectangle adds nothing.
  ValidateRect(hwnd);
  Rect outside{50, 50, 60, 60}, inverted{5, 5, 2, 2}, partly{-5, -5, 100, 3};
  InvalidateRect(hwnd, &outside);
  InvalidateRect(hwnd, &inverted);
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr));
  InvalidateRect(hwnd, &partly);
  ASSERT_TRUE(GetUpdateRect(hwnd, &r));
  EXPECT_EQ(r.left, 0);
  EXPECT_EQ(r.top, 0);
  EXPECT_EQ(r.right, 40);
  EXPECT_EQ(r.bottom, 3);

  // Begin/End painting hands out the region and validates it; an invalidation made while painting
  // stays for the next round.
  PaintInfo pi;
  ASSERT_TRUE(BeginPaint(hwnd, &pi));
  EXPECT_EQ(pi.paint.right, 40);
  EXPECT_EQ(pi.paint.bottom, 3);
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr));
  InvalidateRect(hwnd, nullptr);
  EXPECT_TRUE(EndPaint(hwnd, &pi));
  EXPECT_TRUE(GetUpdateRect(hwnd, nullptr));
  EXPECT_TRUE(BeginPaint(hwnd, nullptr));
  EXPECT_TRUE(EndPaint(hwnd, nullptr));
  EXPECT_FALSE(GetUpdateRect(hwnd, nullptr));
}

TEST_F(WindowTest, FramebufferWriteReadClipsAndKeepsOnResize) {
  ASSERT_TRUE(SetClientSize(hwnd, 4, 3));
  // A 6x2 source with stride 8: only the 4x2 overlap lands.
  std::vector<uint32_t> src(8 * 2, 0xDEAD);
  for (int y = 0; y < 2; ++y)
    for (int x = 0; x < 6; ++x) src[y * 8 + x] = 0x00010000u * y + x + 1;
  ASSERT_TRUE(WriteFramebuffer(hwnd, src.data(), 6, 2, 8));
  std::vector<uint32_t> out;
  int w = 0, h = 0;
  ASSERT_TRUE(ReadFramebuffer(hwnd, out, &w, &h));
  ASSERT_EQ(w, 4);
  ASSERT_EQ(h, 3);
  const std::vector<uint32_t> expected = {1,       2,       3, 4, 0x10001, 0x10002,
                                          0x10003, 0x10004, 0, 0, 0,       0};
  EXPECT_EQ(out, expected);
  EXPECT_TRUE(GetUpdateRect(hwnd, nullptr));

  EXPECT_FALSE(WriteFramebuffer(hwnd, nullptr, 1, 1, 1));
  EXPECT_FALSE(WriteFramebuffer(hwnd, src.data(), 4, 1, 3));  // stride shorter than a row
  EXPECT_FALSE(WriteFramebuffer(hwnd, src.data(), -1, 1, 1));

  // Growing keeps the top-left part and fills the rest with black.
  ASSERT_TRUE(SetClientSize(hwnd, 5, 1));
  ASSERT_TRUE(ReadFramebuffer(hwnd, out, &w, &h));
  EXPECT_EQ(out, (std::vector<uint32_t>{1, 2, 3, 4, 0}));
}

TEST_F(WindowTest, RepaintHookFiresOnInvalidateWriteAndResize) {
  int calls = 0;
  HWND seen = 0;
  SetRepaintHook(hwnd, [&](HWND h) {
    ++calls;
    seen = h;
  });
  InvalidateRect(hwnd, nullptr);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seen, hwnd);
  uint32_t px = 0x123456;
  WriteFramebuffer(hwnd, &px, 1, 1, 1);
  EXPECT_EQ(calls, 2);
  SetClientSize(hwnd, 8, 8);
  EXPECT_EQ(calls, 3);
  SetRepaintHook(hwnd, {});
  InvalidateRect(hwnd, nullptr);
  EXPECT_EQ(calls, 3);

  // A hook may remove itself while it runs.
  SetRepaintHook(hwnd, [&](HWND h) {
    ++calls;
    SetRepaintHook(h, {});
  });
  InvalidateRect(hwnd, nullptr);
  InvalidateRect(hwnd, nullptr);
  EXPECT_EQ(calls, 4);
}
