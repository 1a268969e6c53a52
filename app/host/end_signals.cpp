#include "app/host/end_signals.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <cerrno>
#include <csignal>

namespace kubisto::app {

namespace {

int g_pipe[2] = {-1, -1};  // written by the handler, read by the event loop

extern "C" void OnEndSignal(int) {
  const int saved = errno;  // the interrupted code may be looking at errno
  const char byte = 1;
  [[maybe_unused]] const ssize_t n = ::write(g_pipe[0], &byte, 1);
  errno = saved;
}

}  // namespace

bool InstallEndSignals(QObject* parent, std::function<void()> onSignal) {
  if (g_pipe[0] < 0 &&
      ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, g_pipe) != 0) {
    g_pipe[0] = g_pipe[1] = -1;
    return false;
  }
  auto* notifier = new QSocketNotifier(g_pipe[1], QSocketNotifier::Read, parent);
  QObject::connect(notifier, &QSocketNotifier::activated, notifier,
                   [onSignal = std::move(onSignal)] {
                     char bytes[64];
                     ssize_t n = 0;
                     int count = 0;
                     while ((n = ::read(g_pipe[1], bytes, sizeof bytes)) > 0)
                       count += static_cast<int>(n);
                     for (int i = 0; i < count; ++i) onSignal();
                   });

  struct sigaction action {};
  action.sa_handler = OnEndSignal;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  bool ok = true;
  for (int number : {SIGTERM, SIGINT, SIGHUP})
    ok = ::sigaction(number, &action, nullptr) == 0 && ok;
  return ok;
}

void IgnoreBrokenPipes() { std::signal(SIGPIPE, SIG_IGN); }

}  // namespace kubisto::app
