// The headless services: what the scene classes and the workroom get when no host installed its
// own (tests, tools).
#include "scene/services.h"

#include <cstdio>
#include <cstdlib>

#include "platform/paths.h"
#include "platform/services.h"

namespace kubisto {
namespace {

class HeadlessServices final : public Services {
 public:
  int MessageBox(const std::string& text, int style, const std::string& caption) override {
    return platform::MessageBox(0, text, caption, static_cast<unsigned>(style));
  }
  void DoEvents() override { platform::ProcessPendingMessages(); }
  void PlayWave(const std::string&, bool) override {}
  [[noreturn]] void EndProgram() override {
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(0);
  }
  std::string ProgramDir() override { return platform::ProgramDirectory(); }
  std::string AppTitle() override { return "超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2"; }
  bool SetClipboardPicture(const platform::Picture&) override { return false; }
};

Services* g_host = nullptr;

}  // namespace

Services& services() {
  static HeadlessServices defaults;
  return g_host != nullptr ? *g_host : defaults;
}

void setServices(Services* host) { g_host = host; }

}  // namespace kubisto
