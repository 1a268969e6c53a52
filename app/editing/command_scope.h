// Commands of the user interface in progress, and an end of the program asked for meanwhile.
//
// A command may let events run before it returns (a load after each record, a modal window, a
// message box, a pop-up menu). An end of the program requested then (the exit command, the close
// box, a signal) must not free the workroom under the running command: it is remembered, the
// program's pop-ups and modal windows are closed so that the command can return, and the program
// ends once the outermost command has returned.
#pragma once

namespace kubisto::app {

// Marks a command as running for its lifetime. When the outermost one ends and an end of the
// program was requested meanwhile, it calls modMain::FinKubisto.
class CommandScope {
 public:
  CommandScope();
  ~CommandScope();
  CommandScope(const CommandScope&) = delete;
  CommandScope& operator=(const CommandScope&) = delete;
};

// How many commands are running, nested.
int CommandDepth();
// True while this command runs inside another one (which let events run): commands that would
// replace the whole room refuse to run then.
inline bool InsideAnotherCommand() { return CommandDepth() > 1; }

// Remembers that the program is to end once the running commands have returned, and closes the
// program's pop-up menus and modal windows (as their Cancel would) so that they return.
void DeferEnd();
// True from DeferEnd until the program's end is carried out.
bool EndPending();

}  // namespace kubisto::app
