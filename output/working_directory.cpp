#include "output/working_directory.h"

#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <stdexcept>

namespace kubisto::output {

WorkingDirectory::WorkingDirectory(const std::string& dir) {
  if (char* here = ::getcwd(nullptr, 0)) {
    previous_ = here;
    std::free(here);
  }
  if (::chdir(dir.c_str()) != 0) throw std::runtime_error(dir + ": " + std::strerror(errno));
}

WorkingDirectory::~WorkingDirectory() {
  if (!previous_.empty() && ::chdir(previous_.c_str()) != 0) {
    // The folder went away meanwhile: paths used after this are absolute.
  }
}

}  // namespace kubisto::output
