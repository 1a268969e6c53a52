// A modal message box from classic style flags: buttons (low 3 bits), icon (16 stop, 32 question,
// 48 exclamation, 64 information) and default button (256 second, 512 third). Returns the classic
// result value of the button pressed (1 OK, 2 Cancel, 3 Abort, 4 Retry, 5 Ignore, 6 Yes, 7 No).
#pragma once

#include <QString>

class QWidget;

namespace kubisto::app {

int ShowMessageBox(QWidget* parent, const QString& text, int style, const QString& caption);

}  // namespace kubisto::app
