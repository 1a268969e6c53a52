// SIGTERM, SIGINT and SIGHUP end the program through its ordinary end (FinKubisto), so that a
// desktop session or a service manager can end it without losing a file being written or the
// clipboard's contents. A signal handler may do almost nothing, so it writes one byte into a
// pipe that the event loop watches (QSocketNotifier); the end then runs on the user-interface
// thread like the exit command, after any command that is running.
#pragma once

#include <functional>

class QObject;

namespace kubisto::app {

// Installs the handlers; onSignal runs on the event loop once per signal that arrives. The
// notifier is a child of parent. False when the pipe or a handler could not be set up.
bool InstallEndSignals(QObject* parent, std::function<void()> onSignal);

// Writing to a socket whose other end has gone fails with EPIPE instead of ending the program
// with SIGPIPE (a script's client that leaves before its reply is written).
void IgnoreBrokenPipes();

}  // namespace kubisto::app
