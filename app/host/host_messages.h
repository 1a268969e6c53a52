// Texts the layers below the shell show through the host services (message boxes of the
// workroom, the scene classes and the shell's own guard), in the language of the program's windows.
#pragma once

#include <QString>
#include <string>

namespace kubisto::app {

// The text in the language of the program's windows: its translation where it is one of the
// texts the lower layers show, else the text itself (file names, error details).
QString HostText(const std::string& text);

}  // namespace kubisto::app
