// What a command-line verb reports when it fails: the message for standard error (without the
// program's name) and the exit code (1 for a bad input or output, 2 for a bad request).
#pragma once

#include <stdexcept>
#include <string>

#include "output/output_error.h"

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

// The exit code of the drawing and export code's failure: 2 for a request it cannot meet.
inline int ExitCodeOf(const output::OutputError& error) {
  return error.GetCause() == output::OutputError::Cause::kRequest ? kExitUsage : kExitFailure;
}

}  // namespace kubisto::cli
