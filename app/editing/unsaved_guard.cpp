#include "app/editing/unsaved_guard.h"

#include <QGuiApplication>
#include <QSessionManager>
#include <QWidget>
#include <utility>

#include "app/windows/message_box.h"
#include "app/windows/program_title.h"
#include "scene/services.h"

namespace kubisto::app {

bool MayDiscardWork(QWidget* parent, const UnsavedWork& work) {
  if (!work.modified()) return true;
  const int answer = ShowMessageBox(
      parent, QCoreApplication::translate("kubisto::app::UnsavedWork", "変更を保存しますか？"),
      vbYesNoCancel | vbQuestion, ProgramTitle());
  if (answer == vbYes) return work.save();
  return answer == vbNo;
}

void AskBeforeSessionEnds(QWidget* owner, std::function<bool()> modified,
                          std::function<bool()> mayDiscard, std::function<void()> approved) {
  auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
  if (app == nullptr) return;
  QObject::connect(
      app, &QGuiApplication::commitDataRequest, owner,
      [modified = std::move(modified), mayDiscard = std::move(mayDiscard),
       approved = std::move(approved)](QSessionManager& manager) {
        if (!modified()) return;
        // Without leave to interact the session ends regardless; nothing can be asked.
        if (!manager.allowsInteraction()) return;
        const bool goOn = mayDiscard();
        manager.release();
        if (goOn)
          approved();
        else
          manager.cancel();
      },
      Qt::DirectConnection);
}

}  // namespace kubisto::app
