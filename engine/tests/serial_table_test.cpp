// The table of live objects by serial: objects come and go by the hundred thousand (a room of 16
// cells a side and its rebuilds), and every one must stay findable until it is gone.
#include "engine/serial_table.h"

#include <gtest/gtest.h>

#include <map>
#include <random>

namespace engine {
namespace {

TEST(SerialTableTest, AgreesWithAPlainMapThroughGrowthRemovalAndShrinking) {
  SerialTable<int*> table;
  std::map<uint64_t, int*> expected;
  std::vector<uint64_t> live;  // the serials of expected, for picking one at random
  std::vector<int> values(97);
  std::mt19937_64 random(7);
  uint64_t next = 1;
  auto check = [&] {
    ASSERT_EQ(table.Size(), expected.size());
    for (const auto& [serial, value] : expected) {
      int* const* found = table.Find(serial);
      ASSERT_TRUE(found && *found == value) << serial;
    }
    size_t seen = 0;
    table.ForEach([&](uint64_t serial, int* value) {
      ++seen;
      EXPECT_EQ(expected.at(serial), value);
    });
    EXPECT_EQ(seen, expected.size());
  };
  // Rounds of mostly adding, then of mostly removing (at random, so that runs of neighbouring
  // entries are cut anywhere, across the end of the array too), as rooms are built and thrown away.
  for (int round = 0; round < 8; ++round) {
    const bool growing = round % 2 == 0;
    for (int step = 0; step < 40000; ++step) {
      const bool add = expected.empty() || (random() % 10 < (growing ? 8u : 2u));
      if (add) {
        int* value = &values[0] + (next % values.size());
        table.Insert(next, value);
        live.push_back(next);
        expected[next++] = value;
      } else {
        const size_t k = random() % live.size();
        table.Erase(live[k]);
        expected.erase(live[k]);
        live[k] = live.back();
        live.pop_back();
      }
    }
    check();
  }
  live.clear();
  // Serials never made, made and gone, and 0 are not found; removing them changes nothing.
  EXPECT_EQ(table.Find(0), nullptr);
  EXPECT_EQ(table.Find(next + 5), nullptr);
  table.Erase(next + 5);
  table.Erase(0);
  check();
  while (!expected.empty()) {
    table.Erase(expected.begin()->first);
    expected.erase(expected.begin());
  }
  check();
}

}  // namespace
}  // namespace engine
