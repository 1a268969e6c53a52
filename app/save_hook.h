// A layout saved through the save command and its file window, for checking an installed program
// where no one can click. Asked for through the environment:
//   KUBISTO_SAVE_AS=<name>          the name typed into the file window
//   KUBISTO_SAVE_AS_DELAY=<ms>      when, after the start (default 1000)
#pragma once

namespace kubisto::app {

class frmMain;

void ScheduleSaveFromEnvironment(frmMain* window);

}  // namespace kubisto::app
