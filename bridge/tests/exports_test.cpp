// The library's dynamic symbol table holds exactly the d3d exports and Pass, each reachable by
// name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>
#include <string>

#include "vantrel_library.h"

namespace {

std::set<std::string> ExpectedExports() {
  std::set<std::string> names;
  std::ifstream in(std::string(KUBISTO_SOURCE_DIR) + "/bridge/tests/exports.txt");
  for (std::string line; std::getline(in, line);)
    if (!line.empty()) names.insert(line);
  return names;
}

TEST(Exports, ListHoldsTheTwoHundredFiftyFourD3dNamesAndPass) {
  std::set<std::string> names = ExpectedExports();
  EXPECT_EQ(names.size(), 255u);
  EXPECT_EQ(names.count("Pass"), 1u);
  EXPECT_EQ(std::count_if(names.begin(), names.end(),
                          [](const std::string& n) { return n.rfind("d3d", 0) == 0; }),
            254);
}

TEST(Exports, DynamicSymbolTableListsExactlyTheExports) {
  std::string command = "nm -D --defined-only " + std::string(KUBISTO_BIN_DIR) + "/libvantrel.so";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  ASSERT_TRUE(pipe);
  std::set<std::string> defined;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe.get())) {
    // "address type name": the name is the last word of the line.
    std::istringstream words(line);
    std::string word, last;
    while (words >> word) last = word;
    if (!last.empty()) defined.insert(last);
  }
  ASSERT_FALSE(defined.empty()) << "nm gave nothing for " << command;
  EXPECT_EQ(defined, ExpectedExports());
}

TEST(Exports, EveryExportIsFoundByName) {
  for (const std::string& name : ExpectedExports())
    EXPECT_NE(dlsym(vt::Library(), name.c_str()), nullptr) << name;
}

TEST(Exports, InternalNamesStayHidden) {
  EXPECT_EQ(dlsym(vt::Library(), "_ZN6bridge7ResolveEj"), nullptr);
  EXPECT_EQ(dlsym(vt::Library(), "BridgeWindowProc"), nullptr);
}

TEST(Exports, PassGivesBackItsArgumentWholeAddressesIncluded) {
  float box[6] = {};
  auto address = reinterpret_cast<intptr_t>(box);
  EXPECT_EQ(VT(Pass)(address), address);
  EXPECT_EQ(VT(Pass)(-1), -1);
  EXPECT_EQ(VT(Pass)(0), 0);
}

}  // namespace
