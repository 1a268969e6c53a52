// A fresh folder of its own for one test's files (safe when test programs run in parallel),
// removed with everything in it afterwards.
#pragma once

#include <filesystem>
#include <string>

namespace kubisto::testing {

class TempFolder {
 public:
  // Throws std::runtime_error when no folder can be made.
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  // The path of a file in the folder.
  std::string File(const std::string& name) const { return (path_ / name).string(); }
  const std::filesystem::path& path() const { return path_; }

  // A whole file's bytes; empty when it cannot be read.
  static std::string Read(const std::string& file);
  // Writes bytes as a whole file, replacing it.
  static void Write(const std::string& file, const std::string& bytes);

 private:
  std::filesystem::path path_;
};

// One folder for the whole test program, made on first use and removed when the program ends:
// for the files that helpers write and hand back by path.
TempFolder& ProgramTempFolder();

}  // namespace kubisto::testing
