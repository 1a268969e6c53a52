// Shared pieces of the shell's tests: the Qt application, a workroom that records its calls, a
// recording sound player, the services set up for the shell, and helpers for modal windows and
// pop-up menus.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/editing/work_room_api.h"
#include "app/host/wave_player.h"
#include "scene/services.h"
#include "tests/support/recording_services.h"

namespace kubisto::app {
class frmFile;
class frmMain;
}  // namespace kubisto::app

namespace kubisto::app::test {

// Records every call as text, e.g. "AddBlock(4,4,4,16711680)"; CurrentBlock and Divide answer
// from the fields below. onCall runs after a call is recorded.
class FakeWorkRoom : public WorkRoomApi {
 public:
  std::vector<std::string> calls;
  std::int32_t divide = 5;
  std::int32_t x = -1, y = -1, z = -1, color = 0;
  std::function<void(const std::string&)> onCall;
  // When set, ViewPicked selects this cell (or clears the selection for x == -1).
  bool pickSelects = false;
  std::int32_t pickX = -1, pickY = -1, pickZ = -1, pickColor = 0;
  bool failLoad = false;
  // What LoadedModels answers: the models of the file loaded last.
  std::int32_t loadedModels = 1;

  // Calls other than the queries (CurrentBlock, Divide, Blocks) and redraws.
  std::vector<std::string> Commands() const;

  void CurrentBlock(std::int32_t& X, std::int32_t& Y, std::int32_t& Z,
                    std::int32_t& Color) override;
  std::int32_t Divide() override;
  void SetDivide(std::int32_t NewValue) override;
  void SetHandleOfPictureBoxForD3dIO(std::uint32_t NewValue) override;
  void ResetData() override;
  void SaveData(const std::string& PathAndName) override;
  void LoadData(const std::string& PathAndName) override;
  std::int32_t LoadedModels() override { return loadedModels; }
  void ViewPicked(float X, float Y) override;
  void CopyToClipBoard() override;
  bool Move(const std::string& Direction) override;
  bool DelBlock() override;
  void AddBlock(std::int32_t X, std::int32_t Y, std::int32_t Z, std::int32_t theColor) override;
  void Turn(const std::string& Axis) override;
  void SetView(const std::string& View) override;
  // Recorded, but not among the Commands(): the window asks for it when the view's size changes.
  void Redraw() override;
  std::vector<LayoutRecord> Blocks() override;
  void ReplaceBlocks(std::int32_t divide, const std::vector<LayoutRecord>& blocks) override;

 private:
  void Record(const std::string& call);
};

// Records the sounds asked for; onPlay runs for each, before it returns.
class RecordingWavePlayer : public WavePlayer {
 public:
  struct Sound {
    std::string path;
    bool wait;
  };
  std::vector<Sound> sounds;
  std::function<void(const Sound&)> onPlay;
  void Play(const std::string& path, bool wait) override;
};

// Thrown by the fixture's services when the program ends, so that a test sees it.
struct ProgramEnded : std::runtime_error {
  ProgramEnded() : std::runtime_error("program ended") {}
};

// Installs the fakes for the lifetime of a test: services (which run the Qt event loop for
// pending events, hand sounds to the sound player and end the program by throwing ProgramEnded),
// sound player, program directory (a fresh temporary folder with an empty "data" folder) and the
// workroom factory.
class ShellFixtureState {
 public:
  ShellFixtureState();
  ~ShellFixtureState();
  kubisto::testing::RecordingServices services;
  RecordingWavePlayer sounds;
  std::string programDir;
};

// Runs action on the next modal window to appear (polled on the event loop); the action must close
// it. Returns at once; the action runs while the caller's modal loop waits.
void OnNextModal(std::function<void(QWidget*)> action);
// The same for the next pop-up menu.
void OnNextPopup(std::function<void(QWidget*)> action);
// Runs action on the next modal window of type T (polled on the event loop); a test failure when
// none appears.
template <class T>
void OnNext(std::function<void(T*)> action, int triesLeft = 300) {
  QTimer::singleShot(10, [action, triesLeft] {
    if (auto* found = qobject_cast<T*>(QApplication::activeModalWidget())) {
      action(found);
    } else if (triesLeft > 0) {
      OnNext<T>(action, triesLeft - 1);
    } else {
      ADD_FAILURE() << "the expected window did not appear";
    }
  });
}

// Clicks the name in the given row of a file window's list.
void ClickFileName(frmFile* files, int row);

// Processes events for about ms milliseconds.
void Pump(int ms);

// Runs the start sequence on the real workroom, engine and bridge; the main window, or nullptr
// when none came up.
frmMain* StartRealProgram();
// Ends the program as FinKubisto does, and deletes the windows it left to be deleted later.
void EndRealProgram();

}  // namespace kubisto::app::test
