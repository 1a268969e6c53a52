// Writing a verb's output files all or nothing: they are made in a fresh folder beside the first
// one, then renamed over their final names, so that a failure never leaves a half-written file
// and never spoils an existing one.
#pragma once

#include <string>
#include <vector>

namespace kubisto::output {

// Makes a signal that ends the program (an interrupt, a termination, a crash, a file grown past
// its size limit) first remove the staging folders of every StagedOutput still alive, then take
// its course as before. The command line's verbs call it once; a host with its own signal
// handling (Python) leaves it out.
void RemoveStagingOnSignals();

class StagedOutput {
 public:
  // Makes the staging folder beside target; throws OutputError naming target when the
  // folder cannot be written.
  explicit StagedOutput(const std::string& target);
  // Removes the staging folder and whatever is left in it.
  ~StagedOutput();
  StagedOutput(const StagedOutput&) = delete;
  StagedOutput& operator=(const StagedOutput&) = delete;

  // The staged path of the target.
  std::string Staged() const;
  // Renames every staged file over its final name (the target first checked to exist).
  void Commit();

 private:
  std::string target_, folder_, stage_;
};

}  // namespace kubisto::output
