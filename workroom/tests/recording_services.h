// A Services implementation for tests: records sounds, message boxes, pending-event steps and
// clipboard pictures instead of playing or showing them. Installed for the test's lifetime.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "scene/services.h"
#include "workroom/layout_file.h"

namespace kubisto {

class RecordingServices : public Services {
 public:
  struct Message {
    std::string text;
    int style;
    std::string caption;
  };
  struct ClipboardPicture {
    int width, height;
    bool hasPalette;
  };

  static constexpr const char* kProgramDir = "/opt/kubisto";
  static std::string Sound(const char* name) { return std::string(kProgramDir) + name; }

  RecordingServices() { setServices(this); }
  ~RecordingServices() override { setServices(nullptr); }

  int MessageBox(const std::string& text, int style, const std::string& caption) override {
    messages.push_back({text, style, caption});
    return vbOK;
  }
  void DoEvents() override { ++doEvents; }
  void PlayWave(const std::string& path, bool wait) override {
    sounds.push_back(path);
    if (!wait) unwaitedSounds++;
  }
  // Death tests observe this exit code and the last message shown before it.
  [[noreturn]] void EndProgram() override {
    std::fprintf(stderr, "EndProgram after %zu message(s)%s%s\n", messages.size(),
                 messages.empty() ? "" : ": ",
                 messages.empty() ? "" : messages.back().text.c_str());
    std::fflush(stderr);
    std::_Exit(kEndProgramCode);
  }
  std::string ProgramDir() override { return kProgramDir; }
  std::string AppTitle() override { return kLayoutTitle; }
  bool SetClipboardPicture(const platform::Picture& picture) override {
    if (failClipboard) return false;
    clipboard.push_back({picture.width(), picture.height(), picture.hasPalette()});
    return true;
  }

  void Clear() {
    messages.clear();
    sounds.clear();
    clipboard.clear();
    doEvents = 0;
    unwaitedSounds = 0;
  }

  static constexpr int kEndProgramCode = 97;
  std::vector<Message> messages;
  std::vector<std::string> sounds;
  std::vector<ClipboardPicture> clipboard;
  int doEvents = 0;
  int unwaitedSounds = 0;
  bool failClipboard = false;
};

}  // namespace kubisto
