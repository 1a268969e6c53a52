// Host services for the cross-layer tests: sounds, messages and clipboard pictures are counted, not
// played or shown; pending events do nothing; ending the program fails the test loudly.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/picture.h"
#include "scene/services.h"
#include "workroom/layout_file.h"

namespace kubisto::testing {

class RecordingServices : public Services {
 public:
  RecordingServices() { setServices(this); }
  ~RecordingServices() override { setServices(nullptr); }
  RecordingServices(const RecordingServices&) = delete;
  RecordingServices& operator=(const RecordingServices&) = delete;

  int MessageBox(const std::string& text, int, const std::string&) override {
    messages.push_back(text);
    return vbOK;
  }
  void DoEvents() override { ++doEvents; }
  void PlayWave(const std::string& path, bool) override { sounds.push_back(path); }
  [[noreturn]] void EndProgram() override {
    std::fprintf(stderr, "the workroom ended the program (last message: %s)\n",
                 messages.empty() ? "none" : messages.back().c_str());
    std::abort();
  }
  std::string ProgramDir() override { return "/opt/kubisto"; }
  std::string AppTitle() override { return kLayoutTitle; }
  bool SetClipboardPicture(const platform::Picture& picture) override {
    clipboardPictures.push_back(picture.width() * 65536 + picture.height());
    return true;
  }

  std::vector<std::string> messages;
  std::vector<std::string> sounds;
  std::vector<int> clipboardPictures;
  int doEvents = 0;
};

}  // namespace kubisto::testing
