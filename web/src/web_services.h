// The host services of the web module. Nothing in a browser may wait: a sound is only noted (the
// page plays the sounds noted by a call once the call has returned, through Web Audio, so a sound
// "played to its end" does not hold the room up), a message box is noted and answered OK (the page
// shows it; every question that needs an answer is asked by the page before it runs a command),
// and there are no events to pump (a layout is placed in one go). No Asyncify: it would grow the
// module and slow every call for waits that the page does better on its own.
#pragma once

#include <string>
#include <vector>

#include "scene/services.h"

namespace kubisto::web {

// The folder of the module's data (the wall pictures): the program's folder as the room sees it.
inline constexpr char kDataFolder[] = "/kubisto";

class WebServices final : public Services {
 public:
  int MessageBox(const std::string& text, int style, const std::string& caption) override;
  void DoEvents() override {}
  void PlayWave(const std::string& path, bool wait) override;
  // The view could not be set up: the call that tried fails.
  [[noreturn]] void EndProgram() override;
  std::string ProgramDir() override { return kDataFolder; }
  std::string AppTitle() override;
  // The page copies the canvas itself (Clipboard API).
  bool SetClipboardPicture(const platform::Picture&) override { return false; }

  // The sounds ("move", "turn", "kasha") and messages noted since the last call, emptied.
  std::vector<std::string> TakeSounds();
  std::vector<std::string> TakeMessages();

 private:
  std::vector<std::string> m_sounds;
  std::vector<std::string> m_messages;
};

}  // namespace kubisto::web
