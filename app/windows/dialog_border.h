// A dialog frame that is a border only (no title bar, no buttons) for the program's splash and
// version window. Qt's window flags cannot ask an X11 window manager for that: without a title
// hint they ask for no decoration at all, so the window's decoration hints are written here.
#pragma once

class QWidget;

namespace kubisto::app {

// Asks the window manager for a border and nothing else around the window: no title bar, no
// buttons, moving as the only window operation. Call it when the window is about to be shown
// (after Qt has created the native window, before it is mapped). Does nothing on other window
// systems than X11.
void AskForBorderOnly(QWidget* window);

}  // namespace kubisto::app
