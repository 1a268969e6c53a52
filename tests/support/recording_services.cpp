#include "tests/support/recording_services.h"

#include <cstdio>
#include <cstdlib>

#include "platform/picture.h"

namespace kubisto::testing {

std::string RecordingServices::Sound(const char* name) { return std::string(kProgramDir) + name; }

RecordingServices::RecordingServices() : previous_(&services()) {
  setServices(nullptr);
  appTitle = services().AppTitle();
  setServices(this);
}

RecordingServices::~RecordingServices() { setServices(previous_); }

int RecordingServices::MessageBox(const std::string& text, int style, const std::string& caption) {
  messages.push_back({text, style, caption});
  return answer;
}

void RecordingServices::DoEvents() {
  ++doEvents;
  if (onDoEvents) onDoEvents();
}

void RecordingServices::PlayWave(const std::string& path, bool wait) {
  sounds.push_back(path);
  if (!wait) ++unwaitedSounds;
  if (onPlayWave) onPlayWave(path, wait);
}

void RecordingServices::EndProgram() {
  if (onEndProgram) onEndProgram();
  std::fprintf(stderr, "EndProgram after %zu message(s)%s%s\n", messages.size(),
               messages.empty() ? "" : ": ", messages.empty() ? "" : messages.back().text.c_str());
  std::fflush(stderr);
  std::_Exit(kEndProgramCode);
}

bool RecordingServices::SetClipboardPicture(const platform::Picture& picture) {
  if (failClipboard) return false;
  clipboard.push_back({picture.width(), picture.height(), picture.hasPalette()});
  return true;
}

void RecordingServices::Clear() {
  messages.clear();
  sounds.clear();
  unwaitedSounds = 0;
  clipboard.clear();
  doEvents = 0;
}

}  // namespace kubisto::testing
