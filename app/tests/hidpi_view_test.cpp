// The view at device pixel ratio 2 (QT_SCALE_FACTOR=2 under the offscreen platform; the ctest entry
// app_hidpi_scale2 runs these): the room is drawn at twice the view's logical size and a click on a
// block's centre, in logical pixels, still picks it. Skipped at ratio 1.
#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>
#include <QTest>

#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

class HiDpiViewTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
    Pump(30);
    if (window->picView()->devicePixelRatioF() < 2) GTEST_SKIP() << "needs QT_SCALE_FACTOR=2";
  }
  void TearDown() override { EndRealProgram(); }

  ShellFixtureState state;
  frmMain* window = nullptr;
};

TEST_F(HiDpiViewTest, DrawsAtDeviceResolutionAndPicksInLogicalPixels) {
  PictureView* view = window->picView();
  const QImage empty = view->Framebuffer();
  ASSERT_EQ(empty.size(), view->size() * 2);

  window->button("cmdAdd")->click();
  const QImage withBlock = view->Framebuffer();
  ASSERT_EQ(withBlock.size(), view->size() * 2);
  // The new block's centre in device pixels, then in the view's logical pixels.
  long sx = 0, sy = 0, n = 0;
  for (int y = 0; y < withBlock.height(); ++y)
    for (int x = 0; x < withBlock.width(); ++x)
      if (empty.pixel(x, y) != withBlock.pixel(x, y)) {
        sx += x;
        sy += y;
        ++n;
      }
  ASSERT_GT(n, 80) << "the added block is drawn";
  const QPoint centre(static_cast<int>(sx / n / 2), static_cast<int>(sy / n / 2));

  std::int32_t x = 0, y = 0, z = 0, c = 0;
  QTest::mouseClick(view, Qt::LeftButton, {}, QPoint(3, 3));
  modMain::g_objWorkRoom->CurrentBlock(x, y, z, c);
  ASSERT_EQ(x, -1);
  QTest::mouseClick(view, Qt::LeftButton, {}, centre);
  modMain::g_objWorkRoom->CurrentBlock(x, y, z, c);
  EXPECT_EQ(std::vector<std::int32_t>({x, y, z}), std::vector<std::int32_t>({4, 4, 4}));
}

TEST_F(HiDpiViewTest, AGrownViewIsDrawnAtDeviceResolution) {
  PictureView* view = window->picView();
  window->resize(window->size() + QSize(200, 100));
  Pump(40);
  const QImage grown = view->Framebuffer();
  EXPECT_EQ(grown.size(), view->size() * 2);
  EXPECT_NE(grown.pixel(grown.width() - 4, grown.height() - 4) & 0xFFFFFF, 0u) << "drawn again";
}

}  // namespace
}  // namespace kubisto::app::test
