#include "app/save_hook.h"

#include <QApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTimer>

#include "app/frm_file.h"
#include "app/frm_main.h"

namespace kubisto::app {

namespace {

// Fills in the file window once it is up: it is modal, so this runs from the event loop it runs,
// and it may process events before that (while it is being set up).
void FillFileWindowWhenShown(const QString& name, int triesLeft) {
  auto* files = qobject_cast<frmFile*>(QApplication::activeModalWidget());
  if (files == nullptr || !files->isVisible()) {
    if (triesLeft > 0)
      QTimer::singleShot(20, [name, triesLeft] { FillFileWindowWhenShown(name, triesLeft - 1); });
    return;
  }
  files->txtFileName()->setText(name);
  files->cmdOK()->click();
}

}  // namespace

void ScheduleSaveFromEnvironment(frmMain* window) {
  const QString name = qEnvironmentVariable("KUBISTO_SAVE_AS");
  if (name.isEmpty() || window == nullptr) return;
  bool ok = false;
  int delay = qEnvironmentVariableIntValue("KUBISTO_SAVE_AS_DELAY", &ok);
  if (!ok || delay < 0) delay = 1000;
  QPointer<frmMain> target(window);
  QTimer::singleShot(delay, window, [target, name] {
    if (!target) return;
    QTimer::singleShot(20, [name] { FillFileWindowWhenShown(name, 250); });
    target->tlbToolBar_ButtonClick(QStringLiteral("Save"));
  });
}

}  // namespace kubisto::app
