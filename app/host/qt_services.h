// The host services on Qt: what the workroom and the scene classes call (kubisto::Services), and
// the platform layer's message box and pending-message handlers.
#pragma once

#include "scene/services.h"

namespace kubisto::app {

class QtServices : public Services {
 public:
  int MessageBox(const std::string& text, int style, const std::string& caption) override;
  void DoEvents() override;
  void PlayWave(const std::string& path, bool wait) override;
  [[noreturn]] void EndProgram() override;
  std::string ProgramDir() override;
  std::string AppTitle() override;
  // Offers the picture both as an image and as PNG bytes ("image/png").
  bool SetClipboardPicture(const platform::Picture& picture) override;
  // An end of the program waits for the running command (see command_scope.h).
  bool EndRequested() override;
  // The sound effects are on and there is a sound device.
  bool SoundsWait() override;
};

// Installs QtServices with kubisto::setServices, and the Qt handlers of the platform services.
void InstallQtServices();
// Restores the headless defaults of both.
void RemoveQtServices();

}  // namespace kubisto::app
