#include "app/screenshot.h"

#include <QCoreApplication>
#include <QPixmap>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "app/mod_main.h"

namespace kubisto::app {

void ScheduleScreenshotFromEnvironment(QWidget* window) {
  const QString file = qEnvironmentVariable("KUBISTO_SCREENSHOT");
  if (file.isEmpty() || window == nullptr) return;
  bool ok = false;
  int delay = qEnvironmentVariableIntValue("KUBISTO_SCREENSHOT_DELAY", &ok);
  if (!ok || delay < 0) delay = 1500;
  const bool exitAfter = qEnvironmentVariableIntValue("KUBISTO_SCREENSHOT_EXIT") != 0;
  QPointer<QWidget> target(window);
  QTimer::singleShot(delay, window, [target, file, exitAfter] {
    if (!target) return;
    const bool saved = target->grab().save(file, "PNG");
    std::fprintf(stderr, "kubisto: screenshot %s %s\n",
                 saved ? "saved to" : "could not be saved to", file.toLocal8Bit().constData());
    if (exitAfter) modMain::FinKubisto();
  });
}

}  // namespace kubisto::app
