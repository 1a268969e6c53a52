#include "app/scripting/api_code_module.h"

#include "app/host/language.h"
#include "app/host/paths.h"
#include "app/host/sound_switch.h"
#include "app/host/wave_player.h"
#include "app/windows/help_window.h"

namespace kubisto::app::ApiCodeModule {

void PlayWave(const std::string& FileName, std::int16_t Wait) {
  // The sound effects turned off: silent, at once.
  if (!SoundEffectsOn()) return;
  wavePlayer().Play(FileName, Wait != 0);
}

void ShowHelp(QWidget* Owner) {
  const std::string helpFile = ProgramDir() + "/" + HelpFileName().toStdString();
  HelpWindow::ShowContents(Owner, helpFile);
}

}  // namespace kubisto::app::ApiCodeModule
