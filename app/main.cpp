#include <cstdio>

// Placeholder until the Qt program lands.
int main() {
  std::puts("Kubisto: the program is not built yet.");
  return 0;
}
