// PlayWave on SDL's audio (dummy driver in tests) and ShowHelp's help window.
#include "app/scripting/api_code_module.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTextBrowser>
#include <cstdint>
#include <fstream>

#include "app/host/sdl_wave_player.h"
#include "app/windows/help_window.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

// A mono 16-bit PCM wave file of the given length, a quiet tone.
void WriteWave(const std::string& path, int milliseconds) {
  const std::uint32_t rate = 22050;
  const std::uint32_t frames = rate * static_cast<std::uint32_t>(milliseconds) / 1000;
  const std::uint32_t dataBytes = frames * 2;
  std::ofstream out(path, std::ios::binary);
  auto u32 = [&](std::uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
  auto u16 = [&](std::uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
  out.write("RIFF", 4);
  u32(36 + dataBytes);
  out.write("WAVEfmt ", 8);
  u32(16);
  u16(1);  // PCM
  u16(1);  // mono
  u32(rate);
  u32(rate * 2);
  u16(2);
  u16(16);
  out.write("data", 4);
  u32(dataBytes);
  for (std::uint32_t i = 0; i < frames; ++i)
    u16(static_cast<std::uint16_t>((i / 25) % 2 ? 2000 : -2000));
}

class PlayWaveTest : public ::testing::Test {
 protected:
  std::string File(const char* name) const { return dir.path().toStdString() + "/" + name; }
  QTemporaryDir dir;
};

TEST_F(PlayWaveTest, AMissingFileReturnsAtOnceWhateverTheWaitFlag) {
  SdlWavePlayer player;
  setWavePlayer(&player);
  QElapsedTimer clock;
  clock.start();
  ApiCodeModule::PlayWave(File("missing.wav"), 1);
  ApiCodeModule::PlayWave(File("missing.wav"), 0);
  EXPECT_FALSE(player.Playing());
  EXPECT_LT(clock.elapsed(), 1000);
  setWavePlayer(nullptr);
}

TEST_F(PlayWaveTest, AFileThatIsNotASoundPlaysNothing) {
  std::ofstream(File("junk.wav")) << "not a wave";
  SdlWavePlayer player;
  player.Play(File("junk.wav"), false);
  EXPECT_FALSE(player.Playing());
}

TEST_F(PlayWaveTest, WaitingReturnsWhenTheSoundHasFinished) {
  WriteWave(File("tone.wav"), 300);
  SdlWavePlayer player;
  player.Play(File("tone.wav"), false);
  if (!player.Playing()) GTEST_SKIP() << "no sound device, not even SDL's dummy driver";
  player.Stop();

  QElapsedTimer clock;
  clock.start();
  player.Play(File("tone.wav"), true);
  EXPECT_GE(clock.elapsed(), 150);  // it blocked for (most of) the sound
  EXPECT_FALSE(player.Playing());
}

TEST_F(PlayWaveTest, ASoundStartedWithoutWaitingIsReplacedByTheNext) {
  WriteWave(File("long.wav"), 2000);
  WriteWave(File("short.wav"), 50);
  SdlWavePlayer player;
  QElapsedTimer clock;
  clock.start();
  player.Play(File("long.wav"), false);
  if (!player.Playing()) GTEST_SKIP() << "no sound device, not even SDL's dummy driver";
  EXPECT_LT(clock.elapsed(), 1000);  // returned at once
  player.Play(File("short.wav"), true);
  EXPECT_LT(clock.elapsed(), 1900);  // the long sound did not hold up the next
  EXPECT_FALSE(player.Playing());
}

TEST_F(PlayWaveTest, BackslashSeparatorsNameTheFile) {
  QDir(dir.path()).mkdir("sound");
  WriteWave(File("sound/beep.wav"), 1000);
  SdlWavePlayer player;
  player.Play(File("sound/beep.wav"), false);
  if (!player.Playing()) GTEST_SKIP() << "no sound device, not even SDL's dummy driver";
  player.Stop();
  player.Play(dir.path().toStdString() + "\\sound\\beep.wav", false);
  EXPECT_TRUE(player.Playing());
}

class ShowHelpTest : public ::testing::Test {
 protected:
  void WriteHelp() {
    QDir(QString::fromStdString(state.programDir)).mkdir("help");
    QFile file(QString::fromStdString(state.programDir + "/help/kubisto.hlp"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray html = "<html><body><h1 id=\"top\">目次</h1>";
    for (int i = 0; i < 200; ++i) html += "<p>行 " + QByteArray::number(i) + "</p>";
    html += "</body></html>";
    file.write(html);
  }
  ShellFixtureState state;
};

TEST_F(ShowHelpTest, OpensTheHelpFileAtItsContentsInAWindowOwnedByTheCaller) {
  WriteHelp();
  QWidget owner;
  ApiCodeModule::ShowHelp(&owner);
  auto* help = owner.findChild<HelpWindow*>("helpWindow");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
  EXPECT_TRUE(help->isWindow());
  EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("目次")));
  EXPECT_EQ(help->browser()->source().toLocalFile(),
            QDir(QString::fromStdString(state.programDir)).absoluteFilePath("help/kubisto.hlp"));
}

TEST_F(ShowHelpTest, ShowingItTwiceBringsTheSameFileBackToItsContents) {
  WriteHelp();
  QWidget owner;
  ApiCodeModule::ShowHelp(&owner);
  auto* help = owner.findChild<HelpWindow*>("helpWindow");
  ASSERT_NE(help, nullptr);
  help->browser()->verticalScrollBar()->setValue(help->browser()->verticalScrollBar()->maximum());
  ApiCodeModule::ShowHelp(&owner);
  EXPECT_EQ(owner.findChildren<HelpWindow*>().size(), 1);
  EXPECT_EQ(help->browser()->verticalScrollBar()->value(), 0);
}

TEST_F(ShowHelpTest, AMissingHelpFileIsReportedInTheHelpWindow) {
  QWidget owner;
  ApiCodeModule::ShowHelp(&owner);
  auto* help = owner.findChild<HelpWindow*>("helpWindow");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->browser()->toPlainText().contains(QStringLiteral("見つかりません")));
  EXPECT_TRUE(state.services.messages.empty());
}

}  // namespace
}  // namespace kubisto::app::test
