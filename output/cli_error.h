// What a command-line verb reports when it fails: the message for standard error (without the
// program's name) and the exit code (1 for a bad input or output, 2 for a bad request).
#pragma once

#include <stdexcept>
#include <string>

namespace kubisto::cli {

inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;

class CliError : public std::runtime_error {
 public:
  CliError(const std::string& message, int exitCode)
      : std::runtime_error(message), exitCode_(exitCode) {}
  int ExitCode() const { return exitCode_; }

 private:
  int exitCode_;
};

}  // namespace kubisto::cli
