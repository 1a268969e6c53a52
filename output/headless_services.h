// The host services of the command-line verbs: messages go to standard error, there is no sound,
// no event loop and no clipboard.
#pragma once

#include "scene/services.h"

namespace kubisto::output {

class HeadlessServices final : public Services {
 public:
  int MessageBox(const std::string& text, int style, const std::string& caption) override;
  void DoEvents() override {}
  void PlayWave(const std::string&, bool) override {}
  // The room could not be set up: the verb fails (exit 1).
  [[noreturn]] void EndProgram() override;
  std::string ProgramDir() override;
  std::string AppTitle() override;
  bool SetClipboardPicture(const platform::Picture&) override { return false; }
};

// Installs HeadlessServices for its lifetime.
class HeadlessServicesScope {
 public:
  HeadlessServicesScope() { setServices(&services_); }
  ~HeadlessServicesScope() { setServices(nullptr); }
  HeadlessServicesScope(const HeadlessServicesScope&) = delete;
  HeadlessServicesScope& operator=(const HeadlessServicesScope&) = delete;

 private:
  HeadlessServices services_;
};

}  // namespace kubisto::output
