// The workroom operations the application shell calls. The program runs them on CWorkRoom;
// tests put a recorder in its place.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "workroom/layout_file.h"

namespace kubisto::app {

class WorkRoomApi {
 public:
  virtual ~WorkRoomApi() = default;

  virtual void CurrentBlock(std::int32_t& x, std::int32_t& Y, std::int32_t& Z,
                            std::int32_t& Color) = 0;
  virtual std::int32_t Divide() = 0;
  virtual void SetDivide(std::int32_t NewValue) = 0;
  virtual void SetHandleOfPictureBoxForD3dIO(std::uint32_t NewValue) = 0;
  virtual void ResetData() = 0;
  virtual void SaveData(const std::string& PathAndName) = 0;
  virtual void LoadData(const std::string& PathAndName) = 0;
  // How many models the file LoadData last read held (a .vox file's first is placed).
  virtual std::int32_t LoadedModels() { return 1; }
  virtual void ViewPicked(float x, float Y) = 0;
  virtual void CopyToClipBoard() = 0;
  virtual bool Move(const std::string& Direction) = 0;
  virtual bool DelBlock() = 0;
  virtual void AddBlock(std::int32_t x, std::int32_t Y, std::int32_t Z, std::int32_t theColor) = 0;
  virtual void Turn(const std::string& Axis) = 0;
  virtual void SetView(const std::string& View) = 0;
  // Draws the room again as it stands (its window took a new size).
  virtual void Redraw() {}

  // For undo, the unsaved-work check and scripts: every block, and all of them replaced at once,
  // quietly.
  virtual std::vector<LayoutRecord> Blocks() = 0;
  virtual void ReplaceBlocks(std::int32_t divide, const std::vector<LayoutRecord>& blocks) = 0;
  // The block in a cell made current as a click on it would; scripts select blocks by cell.
  virtual bool SelectBlock(std::int32_t, std::int32_t, std::int32_t) { return false; }
  // Scripts' files, their paths taken exactly as given: a save, and a layout already read put in
  // place as LoadData does; false when the program's end stopped it partway.
  virtual void SaveFile(const std::string& path) { SaveData(path); }
  virtual bool PlaceLayout(const Layout& layout) {
    ReplaceBlocks(layout.divide, layout.records);
    return true;
  }
};

// A new CWorkRoom behind this interface.
std::unique_ptr<WorkRoomApi> CreateCWorkRoom();

}  // namespace kubisto::app
