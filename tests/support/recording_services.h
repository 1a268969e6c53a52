// Host services for every layer's tests: message boxes, sounds, pending-event steps and clipboard
// pictures are recorded instead of shown or played. Installed from construction to destruction
// (the services in force before come back afterwards). What a test needs beyond recording, such as
// running the Qt event loop or ending the program by an exception, it sets in the hooks.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "scene/services.h"

namespace kubisto::testing {

class RecordingServices : public Services {
 public:
  struct Message {
    std::string text;
    int style;
    std::string caption;
  };
  struct ClipboardPicture {
    int width, height;
    bool hasPalette;
  };

  // The program folder the services report unless a test sets programDir.
  static constexpr const char* kProgramDir = "/opt/kubisto";
  // The exit code of EndProgram without an onEndProgram hook; death tests wait for it and for the
  // line "EndProgram after <n> message(s)[: <last message>]" on stderr.
  static constexpr int kEndProgramCode = 97;

  // The path of a file of the default program folder, e.g. Sound("/sound/move.wav").
  static std::string Sound(const char* name);

  RecordingServices();
  ~RecordingServices() override;
  RecordingServices(const RecordingServices&) = delete;
  RecordingServices& operator=(const RecordingServices&) = delete;

  // Records the box and answers `answer`.
  int MessageBox(const std::string& text, int style, const std::string& caption) override;
  // Counts the step, then runs onDoEvents.
  void DoEvents() override;
  // Records the path (and counts the sounds not waited for), then runs onPlayWave.
  void PlayWave(const std::string& path, bool wait) override;
  // Runs onEndProgram (which may throw); without it, or when it returns, writes the line above
  // and exits with kEndProgramCode.
  [[noreturn]] void EndProgram() override;
  std::string ProgramDir() override { return programDir; }
  std::string AppTitle() override { return appTitle; }
  // Records the picture's size; false (nothing recorded) when failClipboard is set.
  bool SetClipboardPicture(const platform::Picture& picture) override;
  // onEndRequested's answer; false without it.
  bool EndRequested() override { return onEndRequested ? onEndRequested() : false; }
  // onSoundsWait's answer; true without it.
  bool SoundsWait() override { return onSoundsWait ? onSoundsWait() : true; }

  // Forgets what was recorded (not the settings).
  void Clear();

  std::vector<Message> messages;
  std::vector<std::string> sounds;
  int unwaitedSounds = 0;
  std::vector<ClipboardPicture> clipboard;
  int doEvents = 0;

  // Settings.
  int answer = vbOK;
  bool failClipboard = false;
  std::string programDir = kProgramDir;
  std::string appTitle;  // the headless services' title
  std::function<void()> onDoEvents;
  std::function<void(const std::string& path, bool wait)> onPlayWave;
  std::function<void()> onEndProgram;
  std::function<bool()> onEndRequested;
  std::function<bool()> onSoundsWait;

 private:
  Services* previous_;
};

}  // namespace kubisto::testing
