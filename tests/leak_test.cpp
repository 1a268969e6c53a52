// Engine objects the workroom makes go when the room no longer needs them: after ResetData, after a
// change of the cell count, after loading a layout and when the workroom ends, the library holds as
// many objects as a room freshly built for that count (or none at all).
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstddef>
#include <map>
#include <memory>

#include "platform/window.h"
#include "tests/support/counted_library.h"
#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"
#include "workroom/workroom.h"

namespace kubisto::testing {
namespace {

class EngineObjects : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::chdir(KUBISTO_BIN_DIR), 0);
    hwnd_ = platform::CreateWindow(160, 120);
    ASSERT_NE(hwnd_, 0u);
  }
  void TearDown() override { platform::DestroyWindow(hwnd_); }

  std::unique_ptr<CWorkRoom> NewRoom() {
    auto room = std::make_unique<CWorkRoom>();
    room->HandleOfPictureBoxForD3dIO(hwnd_);
    return room;
  }

  // The objects of a room built for a cell count from the start (the count set before the room
  // gets its window), on a window of its own; measured once per count.
  size_t FreshRoomObjects(int divide) {
    static std::map<int, size_t> counts;
    if (!counts.count(divide)) {
      const platform::HWND other = platform::CreateWindow(160, 120);
      const size_t before = LiveEngineObjects();
      {
        CWorkRoom room;
        room.Divide(divide);
        room.HandleOfPictureBoxForD3dIO(other);
        counts[divide] = LiveEngineObjects() - before;
      }
      platform::DestroyWindow(other);
    }
    return counts[divide];
  }

  // Blocks, a move, turns, views, picks and a copy: everything that makes objects on the way.
  static void Play(CWorkRoom& room) {
    const int n = room.Divide();
    for (int i = 0; i < n; ++i) room.AddBlock(i, 0, n - 1 - i, 0x0000FF);
    room.AddBlock(n - 1, n - 1, n - 1, 0x00FF00);
    room.Move("-X");
    room.Move("-Y");
    room.Turn("LEFT");
    room.Turn("UP");
    room.SetView("BIRD");
    for (int x = 0; x < 160; x += 23) room.ViewPicked(static_cast<float>(x), 60.0f);
    room.CopyToClipBoard();
  }

  RecordingServices services_;
  platform::HWND hwnd_ = 0;
};

TEST_F(EngineObjects, NoneOutliveTheWorkroom) {
  const size_t before = LiveEngineObjects();
  for (int round = 0; round < 3; ++round) {
    auto room = NewRoom();
    EXPECT_GT(LiveEngineObjects(), before);
    Play(*room);
    room.reset();
    EXPECT_EQ(LiveEngineObjects(), before) << "round " << round;
  }
}

TEST_F(EngineObjects, ResetDataLeavesTheEmptyRoom) {
  const size_t base = LiveEngineObjects();
  auto room = NewRoom();
  const size_t empty = LiveEngineObjects() - base;
  EXPECT_EQ(empty, FreshRoomObjects(5));
  Play(*room);
  room->ResetData();
  EXPECT_EQ(LiveEngineObjects() - base, empty);
  Play(*room);
  room->ResetData();
  EXPECT_EQ(LiveEngineObjects() - base, empty);
}

TEST_F(EngineObjects, ACellCountChangeLeavesOnlyTheNewRoom) {
  const size_t base = LiveEngineObjects();
  auto room = NewRoom();
  for (int divide : {3, 4, 5, 4, 3, 5}) {
    Play(*room);
    room->Divide(divide);
    EXPECT_EQ(LiveEngineObjects() - base, FreshRoomObjects(divide)) << "Divide " << divide;
  }
}

TEST_F(EngineObjects, LoadingALayoutLeavesTheLoadedRoom) {
  TempFolder folder;
  const size_t base = LiveEngineObjects();
  auto room = NewRoom();
  room->Divide(3);
  Play(*room);
  room->SaveData(folder.File("three.kbs"));
  room->Divide(4);
  Play(*room);
  room->SaveData(folder.File("four.kbs"));

  room->LoadData(folder.File("three.kbs"));
  room->ResetData();
  EXPECT_EQ(LiveEngineObjects() - base, FreshRoomObjects(3));
  room->LoadData(folder.File("four.kbs"));
  room->LoadData(folder.File("four.kbs"));  // the same count: only the blocks are replaced
  room->ResetData();
  EXPECT_EQ(LiveEngineObjects() - base, FreshRoomObjects(4));
  room.reset();
  EXPECT_EQ(LiveEngineObjects(), base);
}

}  // namespace
}  // namespace kubisto::testing
