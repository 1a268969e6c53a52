// The start sequence and the ways the program ends.
#include "app/windows/mod_main.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCloseEvent>
#include <QPointer>
#include <QTimer>

#include "app/windows/frm_main.h"
#include "app/windows/frm_splash.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

frmSplash* VisibleSplash() {
  for (QWidget* w : QApplication::topLevelWidgets())
    if (auto* s = qobject_cast<frmSplash*>(w); s && s->isVisible()) return s;
  return nullptr;
}

// Notes which splash windows were painted.
class PaintSpy : public QObject {
 public:
  bool splashPainted = false;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && qobject_cast<frmSplash*>(watched)) splashPainted = true;
    return false;
  }
};

class ModMainTest : public ::testing::Test {
 protected:
  void TearDown() override {
    if (frmMain* w = modMain::MainWindow()) delete w;
  }
  ShellFixtureState state;
  std::vector<std::string> steps;
  FakeWorkRoom* room = nullptr;
};

TEST_F(ModMainTest, StartSequenceRunsInItsOrder) {
  PaintSpy spy;
  qApp->installEventFilter(&spy);
  state.sounds.onPlay = [&](const RecordingWavePlayer::Sound& sound) {
    steps.push_back("sound");
    EXPECT_EQ(sound.path, state.programDir + "\\sound\\splash.wav");
    EXPECT_TRUE(sound.wait);
    EXPECT_NE(VisibleSplash(), nullptr);
    EXPECT_TRUE(spy.splashPainted) << "the splash is painted before the sound";
    EXPECT_EQ(modMain::MainWindow(), nullptr);
  };
  modMain::SetWorkRoomFactory([&] {
    steps.push_back("workroom");
    EXPECT_NE(modMain::MainWindow(), nullptr);
    auto fake = std::make_unique<FakeWorkRoom>();
    room = fake.get();
    fake->onCall = [&](const std::string& call) {
      if (call.rfind("HandleOfPictureBoxForD3dIO", 0) != 0) return;
      steps.push_back("bind");
      frmMain* w = modMain::MainWindow();
      EXPECT_EQ(call, "HandleOfPictureBoxForD3dIO(" + std::to_string(w->picView()->hWnd()) + ")");
      EXPECT_NE(w->picView()->hWnd(), 0u);
      EXPECT_FALSE(w->isVisible());
      EXPECT_EQ(w->picView()->width(), 417);  // already laid out
      EXPECT_FALSE(w->tmrWatchMan()->isActive());
      EXPECT_NE(VisibleSplash(), nullptr);
    };
    return fake;
  });

  modMain::Main();
  qApp->removeEventFilter(&spy);

  EXPECT_EQ(steps, std::vector<std::string>({"sound", "workroom", "bind"}));
  frmMain* w = modMain::MainWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->isVisible());
  EXPECT_TRUE(w->tmrWatchMan()->isActive());
  EXPECT_EQ(VisibleSplash(), nullptr);
  EXPECT_EQ(modMain::g_objWorkRoom.get(), room);
  // Within a few ticks the status bar shows the selection (waited for up to two seconds, since a
  // loaded machine may hold the 10 ms timer back).
  const QString none = QStringLiteral("選択中のブロックはないよ");
  for (int i = 0; i < 200 && w->sbrStatus()->PanelText(2) != none; ++i) Pump(10);
  EXPECT_EQ(w->sbrStatus()->PanelText(2), none);
}

TEST_F(ModMainTest, WithoutTheStartUpSoundTheStartGoesOn) {
  // The recording player stands for a missing file: it returns at once.
  modMain::SetWorkRoomFactory([] { return std::make_unique<FakeWorkRoom>(); });
  modMain::Main();
  ASSERT_NE(modMain::MainWindow(), nullptr);
  EXPECT_TRUE(modMain::MainWindow()->isVisible());
  EXPECT_EQ(state.sounds.sounds.size(), 1u);
}

class FinKubistoTest : public ModMainTest {
 protected:
  void SetUp() override {
    modMain::SetWorkRoomFactory([this] {
      auto fake = std::make_unique<FakeWorkRoom>();
      room = fake.get();
      return fake;
    });
    modMain::Main();
    window = modMain::MainWindow();
    ASSERT_NE(window, nullptr);
    // The workroom must be gone before the window goes.
    QObject::connect(window, &QObject::destroyed,
                     [this] { workroomAtDestruction = modMain::g_objWorkRoom.get(); });
  }
  void Flush() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

  QPointer<frmMain> window;
  WorkRoomApi* workroomAtDestruction = reinterpret_cast<WorkRoomApi*>(1);
};

TEST_F(FinKubistoTest, ExitItemReleasesTheWorkroomThenUnloadsTheWindow) {
  window->action("mnuFileFin")->trigger();
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->tmrWatchMan()->isActive());
  Flush();
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(workroomAtDestruction, nullptr);
  EXPECT_EQ(modMain::MainWindow(), nullptr);
}

TEST_F(FinKubistoTest, CloseBoxEndsTheProgramLikeTheExitItem) {
  window->close();
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  EXPECT_FALSE(window->isVisible());
  Flush();
  EXPECT_TRUE(window.isNull());
  EXPECT_EQ(workroomAtDestruction, nullptr);
}

TEST_F(FinKubistoTest, ToolbarExitAndARepeatedRequestUnloadOnce) {
  window->tlbToolBar_ButtonClick("Fin");
  EXPECT_TRUE(window->Unloading());
  // A close request arriving meanwhile only repeats the release.
  QCloseEvent again;
  QApplication::sendEvent(window, &again);
  modMain::FinKubisto();
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  Flush();
  EXPECT_TRUE(window.isNull());
}

}  // namespace
}  // namespace kubisto::app::test
