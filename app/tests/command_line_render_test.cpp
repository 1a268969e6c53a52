// The picture `kubisto --render` writes equals, pixel for pixel, what the main window's view shows
// for the same layout, view and turns: the window is driven over the real workroom, the verb runs
// as a separate process with no display.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app_test_support.h"
#include "workroom/layout_file.h"

namespace kubisto::app::test {
namespace {

struct RenderCase {
  const char* name;
  int divide;
  std::vector<LayoutRecord> blocks;
  std::string view;                // "" for the starting view
  std::vector<std::string> turns;  // in order
};

void PrintTo(const RenderCase& c, std::ostream* os) { *os << c.name; }

std::vector<LayoutRecord> Filled(int divide) {
  const std::int32_t colours[6] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFFFF00, 0xFF00FF};
  std::vector<LayoutRecord> blocks;
  for (int z = 0; z < divide; ++z)
    for (int y = 0; y < divide; ++y)
      for (int x = 0; x < divide; ++x) blocks.push_back({x, y, z, colours[(x * 3 + y + z) % 6]});
  return blocks;
}

const std::vector<LayoutRecord> kSteps = {{0, 0, 4, 0x00AAFF},
                                          {1, 0, 4, 0x00AAFF},
                                          {0, 1, 4, 0xAA00AA},
                                          {0, 0, 3, 0xAA00AA},
                                          {4, 4, 0, 0x44CC44}};

class CommandLineRenderTest : public ::testing::TestWithParam<RenderCase> {
 protected:
  void SetUp() override {
    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
    Pump(30);
  }
  void TearDown() override { EndRealProgram(); }

  ShellFixtureState state;
  frmMain* window = nullptr;
  QTemporaryDir dir;
};

TEST_P(CommandLineRenderTest, PictureEqualsTheMainWindowsView) {
  const RenderCase& c = GetParam();
  ASSERT_TRUE(dir.isValid());
  const std::string layout = dir.filePath("layout.kbs").toStdString();
  std::ofstream(layout, std::ios::binary) << FormatLayout(c.divide, c.blocks);

  // The program: open the layout, set the view, turn the room, as the window's commands do.
  WorkRoomApi& room = *modMain::g_objWorkRoom;
  room.LoadData(layout);
  if (!c.view.empty()) room.SetView(c.view);
  for (const std::string& turn : c.turns) room.Turn(turn);
  Pump(10);
  const QImage shown = window->picView()->Framebuffer().convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(shown.size(), QSize(417, 347)) << "the view's usual size is the verb's default";

  // The verb, in its own process, without a display.
  const std::string png = dir.filePath("view.png").toStdString();
  std::string command = std::string("env -u DISPLAY -u QT_QPA_PLATFORM '") + KUBISTO_BIN_DIR +
                        "/kubisto' --render '" + png + "'";
  if (!c.view.empty()) command += " --view " + c.view;
  std::string turns;
  for (const std::string& t : c.turns) turns += (turns.empty() ? "" : ",") + t;
  if (!turns.empty()) command += " --turn " + turns;
  command += " '" + layout + "'";
  ASSERT_EQ(std::system(command.c_str()), 0) << command;
  const QImage rendered = QImage(QString::fromStdString(png)).convertToFormat(QImage::Format_RGB32);
  ASSERT_EQ(rendered.size(), shown.size());

  int differ = 0;
  for (int y = 0; y < shown.height(); ++y)
    for (int x = 0; x < shown.width(); ++x) differ += shown.pixel(x, y) != rendered.pixel(x, y);
  EXPECT_EQ(differ, 0) << differ << " pixels differ";
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, CommandLineRenderTest,
    ::testing::Values(RenderCase{"steps_start", 5, kSteps, "", {}},
                      RenderCase{"steps_top", 5, kSteps, "top", {}},
                      RenderCase{"full_bird_turned", 5, Filled(5), "bird", {"left", "up", "left"}},
                      RenderCase{
                          "three_cells_side", 3, Filled(3), "side", {"right", "right", "down"}},
                      RenderCase{"empty_front", 4, {}, "front", {"up"}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace kubisto::app::test
