#include "output/headless_services.h"

#include <cstdio>
#include <cstdlib>

#include "platform/paths.h"
#include "workroom/layout_file.h"

namespace kubisto::output {

int HeadlessServices::MessageBox(const std::string& text, int, const std::string& caption) {
  std::fprintf(stderr, "kubisto: %s%s%s\n", caption.empty() ? "" : caption.c_str(),
               caption.empty() ? "" : ": ", text.c_str());
  return vbOK;
}

void HeadlessServices::EndProgram() {
  std::fprintf(stderr, "kubisto: the 3D view could not be set up\n");
  std::fflush(stderr);
  std::_Exit(1);
}

std::string HeadlessServices::ProgramDir() { return platform::ProgramDirectory(); }

std::string HeadlessServices::AppTitle() { return kLayoutTitle; }

}  // namespace kubisto::output
