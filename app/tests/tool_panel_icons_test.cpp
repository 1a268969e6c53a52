// The tool panel's buttons show their 32 x 32 icons at their own size, centred and clipped by
// the button, not shrunk to fit.
#include <gtest/gtest.h>

#include <QImage>
#include <QPushButton>

#include "app/host/paths.h"
#include "app/windows/frm_main.h"
#include "app/windows/resources.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

// The share of the icon's opaque pixels near its centre that the button shows unchanged, with
// the icon's centre on the button's (within a pixel).
double CentreMatch(const QImage& shown, const QImage& icon) {
  double best = 0;
  for (int dy = -1; dy <= 1; ++dy) {
    for (int dx = -1; dx <= 1; ++dx) {
      const int ox = (shown.width() - 32) / 2 + dx, oy = (shown.height() - 32) / 2 + dy;
      int opaque = 0, same = 0;
      for (int y = 10; y < 22; ++y) {
        for (int x = 10; x < 22; ++x) {
          const QRgb p = icon.pixel(x, y);
          if (qAlpha(p) < 255) continue;
          ++opaque;
          const QRgb q = shown.pixel(ox + x, oy + y);
          if (std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                  std::abs(qBlue(p) - qBlue(q)) <
              12)
            ++same;
        }
      }
      if (opaque > 0) best = std::max(best, static_cast<double>(same) / opaque);
    }
  }
  return best;
}

TEST(ToolPanelIconsTest, EveryButtonShowsItsIconUnscaledAndCentred) {
  ShellFixtureState state;
  SetProgramDir(KUBISTO_BIN_DIR);  // the program's own pictures
  frmMain window;
  window.show();
  Pump(10);
  const std::pair<const char*, const char*> buttons[] = {
      {"cmdAdd", "btn_add.png"},   {"cmdDelete", "btn_delete.png"}, {"cmdX", "btn_x.png"},
      {"cmdMX", "btn_mx.png"},     {"cmdY", "btn_y.png"},           {"cmdMY", "btn_my.png"},
      {"cmdZ", "btn_z.png"},       {"cmdMZ", "btn_mz.png"},         {"cmdUp", "btn_up.png"},
      {"cmdDown", "btn_down.png"}, {"cmdLeft", "btn_left.png"},     {"cmdRight", "btn_right.png"}};
  for (const auto& [name, picture] : buttons) {
    QPushButton* button = window.button(name);
    ASSERT_NE(button, nullptr) << name;
    const QImage icon = ProgramPicture(picture).toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(icon.size(), QSize(32, 32)) << picture;
    const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_GT(CentreMatch(shown, icon), 0.85) << name << " does not show its icon at full size";
  }
}

}  // namespace
}  // namespace kubisto::app::test
