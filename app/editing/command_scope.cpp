#include "app/editing/command_scope.h"

#include <QApplication>
#include <QDialog>
#include <QWidget>

#include "app/windows/mod_main.h"

namespace kubisto::app {

namespace {

int g_depth = 0;
bool g_endPending = false;

void CloseTransientWindows() {
  // Pop-up menus first, then modal windows from the top down. A bounded loop: a window that
  // will not go is hidden instead, and nothing here can spin for ever.
  for (int i = 0; i < 32; ++i) {
    QWidget* top = QApplication::activePopupWidget();
    if (top == nullptr) top = QApplication::activeModalWidget();
    if (top == nullptr) return;
    if (auto* dialog = qobject_cast<QDialog*>(top)) {
      dialog->reject();
    } else {
      top->close();
    }
    if (top->isVisible()) top->hide();
  }
}

}  // namespace

CommandScope::CommandScope() { ++g_depth; }

CommandScope::~CommandScope() {
  if (--g_depth == 0 && g_endPending) {
    g_endPending = false;
    modMain::FinKubisto();
  }
}

int CommandDepth() { return g_depth; }

void DeferEnd() {
  g_endPending = true;
  CloseTransientWindows();
}

bool EndPending() { return g_endPending; }

}  // namespace kubisto::app
