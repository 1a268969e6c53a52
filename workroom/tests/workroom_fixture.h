// A workroom on a headless window with recording services, and a look at its private state.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <array>
#include <memory>
#include <string>

#include "platform/window.h"
#include "scene/direct3drm.h"
#include "scene/face.h"
#include "scene/frame.h"
#include "scene/mesh_builder.h"
#include "tests/support/recording_services.h"
#include "tests/support/temp_folder.h"
#include "workroom/workroom.h"

namespace kubisto {

using testing::RecordingServices;
using testing::TempFolder;

// The title line that ends every layout file: the program's title in Shift_JIS, quoted.
inline const std::string kTitleLine =
    "\"\x92\xb4\x8a\xc8\x88\xd5"
    "3D\x90\xcf\x82\xdd\x96\xd8\x81\x75Oh!Kubisto!!forWindows\x81\x76Ver0.3b\x83\xc0"
    "2\"\r\n";

struct CWorkRoomTestAccess {
  static Direct3DRM& D3dRM(CWorkRoom& w) { return *w.m_objD3dRM; }
  static FramePtr Room(CWorkRoom& w) { return w.m_frmRoom; }
  static FramePtr Cell(CWorkRoom& w, int x, int y, int z) { return w.m_frmBlock(x, y, z); }
  static int GridUpper(CWorkRoom& w) { return w.m_bBlock.Upper(); }
  static int FrameGridUpper(CWorkRoom& w) { return w.m_frmBlock.Upper(); }
  static bool Occupied(CWorkRoom& w, int x, int y, int z) { return w.m_bBlock(x, y, z); }
  static int Color(CWorkRoom& w, int x, int y, int z) { return w.m_lngBlockColor(x, y, z); }
  static int MaxOf3(int a, int b, int c) { return CWorkRoom::MaxOf3(a, b, c); }
  static int MinOf3(int a, int b, int c) { return CWorkRoom::MinOf3(a, b, c); }
};
using Access = CWorkRoomTestAccess;

struct Cell {
  int x, y, z, color;
  bool operator==(const Cell&) const = default;
};

inline void PrintTo(const Cell& c, std::ostream* os) {
  *os << "(" << c.x << ", " << c.y << ", " << c.z << " colour " << c.color << ")";
}

inline Cell Current(CWorkRoom& room) {
  Cell c{};
  room.CurrentBlock(c.x, c.y, c.z, c.color);
  return c;
}

// The bounding box of a mesh builder: min x, y, z, max x, y, z.
inline std::array<float, 6> BoxOf(MeshBuilder& mb) {
  std::array<float, 6> box{};
  mb.GetBox(box.data());
  return box;
}

// A workroom drawn into a 416 x 338 headless window, with the data files (walls) of the program
// folder in the current directory.
class WorkRoomTest : public ::testing::Test {
 protected:
  static constexpr int kWidth = 416;
  static constexpr int kHeight = 338;

  void SetUp() override {
    ASSERT_EQ(::chdir(KUBISTO_BIN_DIR), 0);
    hwnd_ = platform::CreateWindow(kWidth, kHeight);
    ASSERT_NE(hwnd_, 0u);
    room_ = std::make_unique<CWorkRoom>();
    room_->HandleOfPictureBoxForD3dIO(hwnd_);
    services_.Clear();
  }
  void TearDown() override {
    room_.reset();
    platform::DestroyWindow(hwnd_);
  }

  CWorkRoom& room() { return *room_; }

  RecordingServices services_;
  platform::HWND hwnd_ = 0;
  std::unique_ptr<CWorkRoom> room_;
};

}  // namespace kubisto
