// What the drawing and export code reports when it fails: the message (naming the file where
// there is one) and whether the request itself could not be met (an extension no format has, a
// view of a size no window can have) or carrying it out failed. The command line maps the two to
// its exit codes.
#pragma once

#include <stdexcept>
#include <string>

namespace kubisto::output {

class OutputError : public std::runtime_error {
 public:
  enum class Cause { kFailed, kRequest };

  explicit OutputError(const std::string& message, Cause cause = Cause::kFailed)
      : std::runtime_error(message), cause_(cause) {}
  Cause GetCause() const { return cause_; }

 private:
  Cause cause_;
};

}  // namespace kubisto::output
