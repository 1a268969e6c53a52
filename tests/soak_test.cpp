// Thousands of random workroom commands on a headless room, checking after each one that the grids
// and the scene agree and that the grids hold what the commands should have left, and that saved
// layouts load back to the same blocks.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "platform/window.h"
#include "tests/support/counted_library.h"
#include "tests/support/recording_services.h"
#include "tests/support/room_access.h"
#include "tests/support/temp_folder.h"
#include "workroom/workroom.h"

#if defined(__SANITIZE_ADDRESS__)
#define KUBISTO_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define KUBISTO_SANITIZED 1
#endif
#endif

namespace kubisto::testing {
namespace {

#ifdef KUBISTO_SANITIZED
constexpr int kSteps = 400;
#else
constexpr int kSteps = 10000;
#endif

constexpr int kWidth = 200, kHeight = 160;
constexpr std::int32_t kColors[] = {0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00};

// What the commands should have left: the blocks and the current one.
struct Model {
  int divide = 5;
  Blocks blocks;
  CurrentCell current;

  bool Playable(int x, int y, int z) const {
    return x >= 0 && y >= 0 && z >= 0 && x < divide && y < divide && z < divide;
  }
  void Clear() {
    blocks.clear();
    current = {};
  }
  // After a load: the last block in file order (z, then y, then x) is current.
  void LoadedFrom(int newDivide, Blocks loaded) {
    divide = newDivide;
    blocks = std::move(loaded);
    current = {};
    CellKey last{-1, -1, -1};
    bool any = false;
    for (const auto& [cell, color] : blocks) {
      const auto& [x, y, z] = cell;
      const CellKey key{z, y, x};
      if (!any || key > last) last = key, any = true;
    }
    if (any) current = {std::get<2>(last), std::get<1>(last), std::get<0>(last)};
  }
};

class Soak : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(::chdir(KUBISTO_BIN_DIR), 0);  // the wall pictures lie there
    hwnd_ = platform::CreateWindow(kWidth, kHeight);
    ASSERT_NE(hwnd_, 0u);
    room_ = std::make_unique<CWorkRoom>();
    room_->HandleOfPictureBoxForD3dIO(hwnd_);
  }
  void TearDown() override {
    room_.reset();
    platform::DestroyWindow(hwnd_);
  }

  RecordingServices services_;
  platform::HWND hwnd_ = 0;
  std::unique_ptr<CWorkRoom> room_;
};

TEST_F(Soak, RandomCommandsKeepGridsSceneAndFilesInStep) {
  CWorkRoom& room = *room_;
  TempFolder folder;
  std::mt19937 rng(20261207);
  const auto below = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
  Model model;
  std::vector<std::pair<std::string, Model>> saved;  // files written, with what they hold
  static const char* const kDirections[] = {"X", "-X", "y", "-Y", "z", "-z", "W"};
  static const char* const kTurns[] = {"UP", "down", "LEFT", "right", "around"};
  static const char* const kViews[] = {"FRONT", "top", "Side", "BIRD", "nowhere"};

  for (int step = 0; step < kSteps; ++step) {
    std::string what;
    const int op = below(100);
    if (op < 30) {  // add, sometimes outside the playable cells
      const int x = below(model.divide + 2) - 1, y = below(model.divide + 2) - 1,
                z = below(model.divide + 2) - 1;
      const std::int32_t color = kColors[below(6)];
      what = "AddBlock(" + std::to_string(x) + "," + std::to_string(y) + "," + std::to_string(z) + ")";
      room.AddBlock(x, y, z, color);
      if (model.Playable(x, y, z) && !model.blocks.count({x, y, z})) {
        model.blocks[{x, y, z}] = color;
        model.current = {x, y, z};
      }
    } else if (op < 40) {
      what = "DelBlock";
      const bool removed = room.DelBlock();
      EXPECT_EQ(removed, !(model.current == CurrentCell{})) << "step " << step;
      if (removed) {
        model.blocks.erase({model.current.x, model.current.y, model.current.z});
        model.current = {};
      }
    } else if (op < 58) {
      const char* direction = kDirections[below(7)];
      what = std::string("Move(") + direction + ")";
      room.Move(direction);
      if (!(model.current == CurrentCell{}) && std::string(direction) != "W") {
        CurrentCell to = model.current;
        const std::string d = direction;
        const int delta = d[0] == '-' ? -1 : 1;
        const char axis = static_cast<char>(std::toupper(static_cast<unsigned char>(d.back())));
        (axis == 'X' ? to.x : axis == 'Y' ? to.y : to.z) += delta;
        if (model.Playable(to.x, to.y, to.z) && !model.blocks.count({to.x, to.y, to.z})) {
          const CellKey from{model.current.x, model.current.y, model.current.z};
          model.blocks[{to.x, to.y, to.z}] = model.blocks[from];
          model.blocks.erase(from);
          model.current = to;
        }
      }
    } else if (op < 66) {
      what = "Turn";
      room.Turn(kTurns[below(5)]);
    } else if (op < 72) {
      what = "SetView";
      room.SetView(kViews[below(5)]);
    } else if (op < 84) {  // pick at a random pixel, now and then off the window
      const float x = static_cast<float>(below(kWidth + 20) - 10) + 0.25f * below(4);
      const float y = static_cast<float>(below(kHeight + 20) - 10);
      what = "ViewPicked(" + std::to_string(x) + "," + std::to_string(y) + ")";
      room.ViewPicked(x, y);
      model.current = Current(room);  // whatever was hit; checked below to be a block or none
    } else if (op < 86) {
      const int divide = 3 + below(3);
      what = "Divide(" + std::to_string(divide) + ")";
      room.Divide(divide);
      model.divide = divide;
      model.Clear();
    } else if (op < 88) {
      what = "ResetData";
      room.ResetData();
      model.Clear();
    } else if (op < 94) {  // save, and load the same file back at once
      const std::string file = folder.File("layout" + std::to_string(saved.size()) + ".kbs");
      what = "SaveData+LoadData";
      room.SaveData(file);
      saved.push_back({file, model});
      room.LoadData(file);
      model.LoadedFrom(model.divide, model.blocks);
      saved.back().second = model;
    } else if (op < 97 && !saved.empty()) {  // load an older file
      const auto& [file, held] = saved[below(static_cast<int>(saved.size()))];
      what = "LoadData(" + file + ")";
      room.LoadData(file);
      model.LoadedFrom(held.divide, held.blocks);
    } else if (op < 99) {  // the whole room replaced at once, some cells outside it or repeated
      const int divide = below(2) == 0 ? model.divide : 3 + below(3);
      std::vector<LayoutRecord> records;
      model.divide = divide;
      model.Clear();
      for (int i = below(12); i > 0; --i) {
        const int x = below(divide + 1), y = below(divide + 1), z = below(divide + 1);
        records.push_back({x, y, z, kColors[below(6)]});
        if (model.Playable(x, y, z) && !model.blocks.count({x, y, z})) model.blocks[{x, y, z}] = records.back().color;
      }
      what = "ReplaceBlocks(" + std::to_string(divide) + ", " + std::to_string(records.size()) + " blocks)";
      room.ReplaceBlocks(divide, records);
    } else {
      what = "CopyToClipBoard";
      room.CopyToClipBoard();
    }

    const std::string fault = SceneDisagreement(room);
    ASSERT_EQ(fault, "") << "after step " << step << ": " << what;
    ASSERT_EQ(room.Divide(), model.divide) << "after step " << step << ": " << what;
    ASSERT_EQ(GridBlocks(room), model.blocks) << "after step " << step << ": " << what;
    const CurrentCell current = Current(room);
    ASSERT_TRUE(current == model.current)
        << "after step " << step << ": " << what << ": current (" << current.x << ","
        << current.y << "," << current.z << "), expected (" << model.current.x << ","
        << model.current.y << "," << model.current.z << ")";
  }
  EXPECT_TRUE(services_.messages.empty()) << services_.messages.front();
  EXPECT_FALSE(services_.sounds.empty());
}

}  // namespace
}  // namespace kubisto::testing
