#include "app/api_code_module.h"

#include "app/help_window.h"
#include "app/language.h"
#include "app/paths.h"
#include "app/wave_player.h"

namespace kubisto::app::ApiCodeModule {

void PlayWave(const std::string& FileName, std::int16_t Wait) {
  wavePlayer().Play(FileName, Wait != 0);
}

void ShowHelp(QWidget* Owner) {
  const std::string helpFile = ProgramDir() + "/" + HelpFileName().toStdString();
  HelpWindow::ShowContents(Owner, helpFile);
}

}  // namespace kubisto::app::ApiCodeModule
