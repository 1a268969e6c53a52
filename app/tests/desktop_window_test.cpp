// The main window as a desktop program of today: it grows (the view takes the growth, the tool
// panel keeps its size) and opens again at the size and place it was left at; the sound effects
// can be turned off, and then nothing waits for a sound; the divide menu offers larger rooms.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QImage>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>
#include <algorithm>

#include "app/host/sound_switch.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "app/windows/tool_box.h"
#include "app_test_support.h"
#include "frm_main_fixture.h"
#include "platform/window.h"

namespace kubisto::app::test {
namespace {

QSize PlatformWindowSize(const PictureView* view) {
  int w = 0, h = 0;
  platform::GetClientSize(view->hWnd(), &w, &h);
  return QSize(w, h);
}

// --- Growing, over the recording workroom ---

TEST_F(FrmMainTest, AGrownWindowGivesTheGrowthToTheViewAndKeepsThePanel) {
  window->show();
  Pump(20);
  const QRect view = window->picView()->geometry();
  const QRect panel = window->picToolBox()->geometry();
  const QRect add = window->button("cmdAdd")->geometry();
  const int menu = window->menuBar()->height();
  EXPECT_EQ(window->minimumSize(), QSize(600, menu + 400));

  window->resize(600 + 300, menu + 400 + 200);
  Pump(20);
  EXPECT_EQ(window->client()->size(), QSize(900, 600));
  const QRect grownView = window->picView()->geometry();
  const QRect grownPanel = window->picToolBox()->geometry();
  EXPECT_EQ(grownView, QRect(view.topLeft(), view.size() + QSize(300, 200)));
  EXPECT_EQ(grownPanel.size(), panel.size());
  EXPECT_EQ(grownPanel.top(), view.top());
  EXPECT_EQ(grownPanel.left(), grownView.right() + 1 + 2);
  EXPECT_EQ(grownPanel.right() + 1, 900);
  EXPECT_EQ(window->button("cmdAdd")->geometry(), add) << "the buttons keep their places";
  // The bars span the grown client area; the view still reaches down to the status bar.
  EXPECT_EQ(window->tlbToolBar()->width(), 900);
  EXPECT_EQ(window->sbrStatus()->geometry().bottom() + 1, 600);
  EXPECT_EQ(window->sbrStatus()->width(), 900);
  EXPECT_EQ(grownView.bottom() + 1, window->sbrStatus()->y());
  EXPECT_EQ(window->sbrStatus()->PanelWidth(1), grownView.width());
  EXPECT_EQ(window->sbrStatus()->PanelWidth(2), grownPanel.width());
  // The room is drawn into a window of the view's new size, and drawn again for it.
  EXPECT_EQ(PlatformWindowSize(window->picView()), grownView.size());
  EXPECT_NE(std::find(room->calls.begin(), room->calls.end(), "Redraw"), room->calls.end());

  // Never smaller than designed; back at the smallest size everything is as designed.
  window->resize(300, 200);
  Pump(20);
  EXPECT_EQ(window->size(), QSize(600, menu + 400));
  EXPECT_EQ(window->client()->size(), QSize(600, 400));
  EXPECT_EQ(window->picView()->geometry(), view);
  EXPECT_EQ(window->picToolBox()->geometry(), panel);
}

// --- Over the real workroom ---

class DesktopRealTest : public ::testing::Test {
 protected:
  void SetUp() override { Start(); }
  void TearDown() override { EndRealProgram(); }
  void Start() {
    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
    Pump(30);
  }
  void Restart() {
    EndRealProgram();
    Start();
  }
  QImage Shown() { return window->picView()->Framebuffer(); }
  // A layout of the given cell count and blocks in a file of the data folder.
  std::string WriteLayout(const char* name, const std::string& text) {
    const std::string path = state.programDir + "/data/" + name;
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(text.c_str());
    return path;
  }

  ShellFixtureState state;
  frmMain* window = nullptr;
};

TEST_F(DesktopRealTest, TheGrownViewShowsTheWholeRoomAtItsNewSize) {
  const QImage designed = Shown();
  window->resize(window->width() + 400, window->height() + 300);
  Pump(40);
  const QImage grown = Shown();
  ASSERT_EQ(grown.size(), window->picView()->size());
  EXPECT_EQ(grown.size(), designed.size() + QSize(400, 300));
  // Drawn again at once, not left black: the walls' colours reach every corner of the view.
  for (const QPoint at : {QPoint(5, 5), QPoint(grown.width() - 5, grown.height() - 5),
                          QPoint(grown.width() / 2, grown.height() / 2)})
    EXPECT_NE(grown.pixel(at) & 0xFFFFFF, 0u) << at.x() << "," << at.y();
  // A block added now is picked where it is drawn in the grown view.
  window->button("cmdAdd")->click();
  std::int32_t x = 0, y = 0, z = 0, c = 0;
  QTest::mouseClick(window->picView(), Qt::LeftButton, {}, QPoint(3, 3));
  modMain::g_objWorkRoom->CurrentBlock(x, y, z, c);
  EXPECT_EQ(x, -1);
}

TEST_F(DesktopRealTest, TheNextStartOpensAtTheSizeAndPlaceTheWindowWasLeftAt) {
  const QSize first = window->size();
  EXPECT_EQ(first, QSize(600, window->menuBar()->height() + 400)) << "a first start as designed";
  window->resize(first + QSize(250, 150));
  window->move(40, 30);
  Pump(20);
  const QRect left = window->geometry();
  Restart();
  EXPECT_EQ(window->geometry(), left);
  EXPECT_EQ(window->client()->size(), QSize(850, 550));
}

TEST_F(DesktopRealTest, WithTheSoundsOffNothingIsPlayedOrWaitedForAndTheSwitchIsKept) {
  QAction* sound = window->action("mnuOptionSound");
  ASSERT_NE(sound, nullptr);
  EXPECT_TRUE(sound->isCheckable());
  EXPECT_TRUE(sound->isChecked()) << "on at first";
  window->button("cmdAdd")->click();
  ASSERT_FALSE(state.sounds.sounds.empty());
  for (const auto& played : state.sounds.sounds) EXPECT_TRUE(played.wait) << played.path;
  EXPECT_TRUE(SoundsWait());

  sound->trigger();
  state.sounds.sounds.clear();
  EXPECT_FALSE(SoundsWait());
  window->button("cmdX")->click();       // refused at the wall: the refusal sound
  window->button("cmdMX")->click();      // moved
  window->button("cmdLeft")->click();    // turned
  window->button("cmdDelete")->click();  // removed
  EXPECT_TRUE(state.sounds.sounds.empty());

  Restart();
  EXPECT_FALSE(window->action("mnuOptionSound")->isChecked()) << "the switch is kept";
  EXPECT_TRUE(state.sounds.sounds.empty()) << "not even the start sound";
  window->action("mnuOptionSound")->trigger();
  window->button("cmdAdd")->click();
  EXPECT_EQ(state.sounds.sounds.size(), 1u);
}

TEST_F(DesktopRealTest, AQuietLoadEndsWithThePictureOfALoadThatSounds) {
  std::string text = "5\r\n";
  for (int z = 0; z < 5; z += 2)
    for (int y = 0; y < 3; ++y)
      for (int x = 0; x < 5; ++x)
        text += std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z) + "," +
                std::to_string(0x0000FF << (8 * ((x + y + z) % 3))) + "\r\n";
  text += "-1,-1,-1,0\r\n\"Kubisto\"\r\n";
  const std::string path = WriteLayout("quiet.kbs", text);

  window->OpenLayout(path);
  Pump(20);
  const QImage sounding = Shown();
  const size_t sounds = state.sounds.sounds.size();
  EXPECT_GE(sounds, 45u) << "a sound for each block";

  window->action("mnuOptionSound")->trigger();
  window->OpenLayout(path);
  Pump(20);
  EXPECT_EQ(state.sounds.sounds.size(), sounds) << "no sound played";
  EXPECT_EQ(Shown(), sounding);
  EXPECT_EQ(modMain::g_objWorkRoom->Blocks().size(), 45u);
}

// --- The divide menu ---

TEST_F(FrmMainTest, TheLargerCellCountsFollowASeparatorAndShowTheirMarks) {
  const QMenu* divide = window->findChild<QMenu*>("mnuOptionDivide");
  ASSERT_NE(divide, nullptr);
  QStringList captions;
  for (const QAction* a : divide->actions()) captions << (a->isSeparator() ? "-" : a->text());
  EXPECT_EQ(captions, QStringList({"3", "4", "5", "-", "6", "8", "10", "12", "16"}));
  EXPECT_TRUE(window->mnuOptionDivideNum(2)->isChecked()) << "5 at start";

  window->action("mnuOptionDivideNum7")->trigger();
  EXPECT_EQ(room->Commands(), std::vector<std::string>({"SetDivide(16)"}));
  for (int i = 0; i < 8; ++i) EXPECT_EQ(window->mnuOptionDivideNum(i)->isChecked(), i == 7) << i;

  // A layout loaded behind the menu: its count's mark, or none when the menu has no such count.
  const std::pair<int, int> loaded[] = {{10, 5}, {7, -1}, {4, 1}, {12, 6}, {2, -1}, {6, 3}};
  for (const auto& [count, item] : loaded) {
    room->divide = count;
    window->tmrWatchMan_Timer();
    for (int i = 0; i < 8; ++i)
      EXPECT_EQ(window->mnuOptionDivideNum(i)->isChecked(), i == item) << count << " item " << i;
  }
}

}  // namespace
}  // namespace kubisto::app::test
