// The program as a process: SIGTERM, SIGINT and SIGHUP end it with status 0 through its ordinary
// end, and its sound library does not take the signals away from it.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <chrono>
#include <string>
#include <thread>

namespace kubisto::app::test {
namespace {

// Starts the program under the offscreen platform with its runtime folder in `folder`; its script
// server's socket, folder/kubisto.sock, appears once its main window is up.
pid_t StartProgram(const std::string& folder) {
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
    ::setenv("SDL_AUDIODRIVER", "dummy", 1);
    ::setenv("XDG_RUNTIME_DIR", folder.c_str(), 1);
    ::unsetenv("KUBISTO_SOCKET");
    // Leaks of the window system libraries at exit are not this test's concern.
    ::setenv("ASAN_OPTIONS", "detect_leaks=0", 1);
    const std::string program = std::string(KUBISTO_BIN_DIR) + "/kubisto";
    ::execl(program.c_str(), program.c_str(), static_cast<char*>(nullptr));
    ::_exit(127);
  }
  return pid;
}

// Waits up to `seconds` for the process to end; its wait status, or -1 when it did not end.
int WaitFor(pid_t pid, int seconds) {
  for (int i = 0; i < seconds * 20; ++i) {
    int status = 0;
    if (::waitpid(pid, &status, WNOHANG) == pid) return status;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  ::kill(pid, SIGKILL);
  ::waitpid(pid, nullptr, 0);
  return -1;
}

TEST(EndSignalProcessTest, EachEndSignalEndsTheIdleProgramWithStatusZero) {
  for (int number : {SIGTERM, SIGINT, SIGHUP}) {
    QTemporaryDir dir;
    const std::string ready = (dir.path() + "/kubisto.sock").toStdString();
    const pid_t pid = StartProgram(dir.path().toStdString());
    ASSERT_GT(pid, 0);
    for (int i = 0; i < 300 && !QFile::exists(QString::fromStdString(ready)); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_TRUE(QFile::exists(QString::fromStdString(ready))) << "the program did not come up";
    ::kill(pid, number);
    const int status = WaitFor(pid, 20);
    ASSERT_NE(status, -1) << "signal " << number << " did not end the program";
    EXPECT_TRUE(WIFEXITED(status)) << "signal " << number << " killed the program";
    EXPECT_EQ(WEXITSTATUS(status), 0) << "signal " << number;
  }
}

}  // namespace
}  // namespace kubisto::app::test
