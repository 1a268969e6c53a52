// Shared pieces of the command line's tests: a scratch folder, layout files, and running the
// program as a user would (no display, no Qt platform).
#pragma once

#include <string>
#include <vector>

#include "workroom/layout_file.h"

namespace kubisto::cli::test {

// A fresh folder under /tmp, removed with everything in it.
class Scratch {
 public:
  Scratch();
  ~Scratch();
  Scratch(const Scratch&) = delete;
  Scratch& operator=(const Scratch&) = delete;
  std::string Path(const std::string& name) const { return dir_ + "/" + name; }
  const std::string& Dir() const { return dir_; }
  // The names of the files in the folder, sorted.
  std::vector<std::string> Files() const;
  // Writes a layout file in the program's format and returns its path.
  std::string Layout(const std::string& name, int divide,
                     const std::vector<LayoutRecord>& blocks) const;
  std::string Write(const std::string& name, const std::string& bytes) const;

 private:
  std::string dir_;
};

std::string ReadFile(const std::string& path);
// What a shell command prints on standard output; its wait status (as pclose gives it) in status,
// -1 when it could not be run.
std::string Capture(const std::string& command, int* status);
bool Exists(const std::string& path);

struct RunResult {
  int exitCode = -1;
  std::string err;  // standard error
};
// Runs the built program with these arguments, DISPLAY and QT_QPA_PLATFORM unset.
RunResult RunKubisto(const std::vector<std::string>& arguments);

// Layouts the tests use.
std::vector<LayoutRecord> FullRoom(int divide);  // every cell, six colours
std::vector<LayoutRecord> Steps();               // a small stair of three colours, 5 cells

}  // namespace kubisto::cli::test
