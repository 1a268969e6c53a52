// Runs one command of the user interface so that a failure reaching it is shown to the user
// instead of leaving the event handler (Qt does not let exceptions pass through its event loop).
// The command counts as running (CommandScope) until it returns.
#pragma once

#include <exception>
#include <string>

#include "app/editing/command_scope.h"
#include "scene/services.h"

namespace kubisto::app {

template <class Command>
bool Guarded(Command&& command) {
  CommandScope running;
  try {
    command();
    return true;
  } catch (const std::exception& error) {
    services().MessageBox(error.what(), vbOKOnly | vbExclamation, services().AppTitle());
  } catch (...) {
    services().MessageBox("予期しないエラーが発生しました。", vbOKOnly | vbExclamation,
                          services().AppTitle());
  }
  return false;
}

// The same without a message: for steps whose failure is to be ignored.
template <class Command>
bool Quietly(Command&& command) {
  try {
    command();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace kubisto::app
