// The current directory set to a folder for a while: the workroom names its wall pictures
// relative to it. The previous directory is put back at the end.
#pragma once

#include <string>

namespace kubisto::output {

class WorkingDirectory {
 public:
  // Throws std::runtime_error ("dir: reason") when the folder cannot be entered.
  explicit WorkingDirectory(const std::string& dir);
  ~WorkingDirectory();
  WorkingDirectory(const WorkingDirectory&) = delete;
  WorkingDirectory& operator=(const WorkingDirectory&) = delete;

 private:
  std::string previous_;
};

}  // namespace kubisto::output
