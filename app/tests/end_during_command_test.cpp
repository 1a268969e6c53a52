// Ending the program while a command runs: a load lets events run after each record, so an exit
// request (the toolbar, the close box, a signal) arrives while the workroom is in use. The end
// must wait for the command, and commands that replace the whole room must not run inside it.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <csignal>
#include <functional>

#include "app/editing/command_scope.h"
#include "app/host/end_signals.h"
#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app_test_support.h"
#include "workroom/layout_file.h"

namespace kubisto::app::test {
namespace {

class EndDuringCommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A full room: 125 records, each added with its sound and followed by pending events.
    std::vector<LayoutRecord> records;
    for (int z = 0; z < 5; ++z)
      for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 5; ++x) records.push_back({x, y, z, 0xFF0000});
    QFile file(QString::fromStdString(state.programDir + "/data/full.kbs"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const std::string bytes = FormatLayout(5, records);
    file.write(bytes.data(), static_cast<qint64>(bytes.size()));
    file.close();

    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
    Pump(20);
  }
  void TearDown() override { EndRealProgram(); }

  // Loads full.kbs through the toolbar and the file window; after the given number of block
  // sounds, `during` is posted, so that it runs in the load's next pending-events step.
  int LoadWhile(int afterSounds, std::function<void()> during) {
    int sounds = 0;
    state.sounds.onPlay = [&](const RecordingWavePlayer::Sound&) {
      if (++sounds == afterSounds) QTimer::singleShot(0, during);
    };
    OnNextModal([](QWidget* modal) {
      auto* files = qobject_cast<frmFile*>(modal);
      ASSERT_NE(files, nullptr);
      ClickFileName(files, 0);
      files->cmdOK()->click();
    });
    window->action("tlbToolBar_Load")->trigger();
    state.sounds.onPlay = nullptr;
    return sounds;
  }

  int Blocks() { return static_cast<int>(modMain::g_objWorkRoom->Blocks().size()); }

  ShellFixtureState state;
  QPointer<frmMain> window;
};

TEST_F(EndDuringCommandTest, ExitFromTheToolbarDuringALoadEndsOnceTheLoadHasStopped) {
  const int sounds = LoadWhile(10, [this] { window->action("tlbToolBar_Fin")->trigger(); });
  // The load stopped at its next record and the program ended after it, in FinKubisto's order.
  EXPECT_LT(sounds, 125);
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  ASSERT_FALSE(window.isNull());
  EXPECT_TRUE(window->Unloading());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(window.isNull());
  EXPECT_FALSE(EndPending());
}

TEST_F(EndDuringCommandTest, TheCloseBoxAndTheMenuItemDuringALoadWaitForIt) {
  bool stayedOpen = false;
  LoadWhile(5, [&] {
    window->close();  // the window manager's close request
    stayedOpen = window->isVisible() && modMain::g_objWorkRoom != nullptr;
    window->action("mnuFileFin")->trigger();  // asked twice: still one end
  });
  EXPECT_TRUE(stayedOpen) << "nothing is freed while the load runs";
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  EXPECT_TRUE(window->Unloading());
}

TEST_F(EndDuringCommandTest, ASignalDuringALoadEndsTheProgramTheSameWay) {
  ASSERT_TRUE(InstallEndSignals(window, [] { modMain::FinKubisto(); }));
  const int sounds = LoadWhile(3, [] { std::raise(SIGTERM); });
  EXPECT_LT(sounds, 125);
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  EXPECT_TRUE(window->Unloading());
}

TEST_F(EndDuringCommandTest, ASignalWhileTheFileWindowIsOpenCancelsItAndEnds) {
  ASSERT_TRUE(InstallEndSignals(window, [] { modMain::FinKubisto(); }));
  QTimer::singleShot(50, [] { std::raise(SIGINT); });
  // Nobody answers the file window: the end closes it as its Cancel would.
  window->action("tlbToolBar_Load")->trigger();
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  EXPECT_TRUE(window->Unloading());
}

TEST_F(EndDuringCommandTest, CommandsThatReplaceTheRoomAreRefusedInsideALoad) {
  LoadWhile(4, [this] {
    window->action("mnuFileNew")->trigger();
    window->action("mnuOptionDivideNum0")->trigger();
    window->action("mnuFileLoad")->trigger();  // would open a second file window
  });
  EXPECT_EQ(modMain::g_objWorkRoom->Divide(), 5);
  EXPECT_EQ(Blocks(), 125);
  // Once the load has finished they run as usual.
  window->action("mnuFileNew")->trigger();
  EXPECT_EQ(Blocks(), 0);
}

}  // namespace
}  // namespace kubisto::app::test
