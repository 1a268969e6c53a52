#include <cstdio>
#include <cstdlib>

#include "fuzz/targets.h"

namespace kubisto::fuzz {

void Fail(const char* what, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: invariant broken: %s\n", file, line, what);
  std::fflush(stderr);
  std::abort();
}

}  // namespace kubisto::fuzz
