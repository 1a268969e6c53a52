// A picture of the main window saved to a PNG file, for checking the program's look on a display
// without a screen grabber. Asked for through the environment:
//   KUBISTO_SCREENSHOT=<file.png>      where to save it
//   KUBISTO_SCREENSHOT_DELAY=<ms>      when, after the start (default 1500)
//   KUBISTO_SCREENSHOT_EXIT=1          end the program once it is saved
#pragma once

class QWidget;

namespace kubisto::app {

void ScheduleScreenshotFromEnvironment(QWidget* window);

}  // namespace kubisto::app
