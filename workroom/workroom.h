// CWorkRoom: the block workroom. It owns the root scene object, a cubic grid of cells above a
// table, at most one coloured cube block per cell, and the current (selected) block. Every command
// of the main window about blocks, views, files and the clipboard is one call on it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "workroom/grid3.h"
#include "workroom/layout_file.h"
#include "workroom/redraw_pacer.h"

namespace kubisto {

class Direct3DRM;
class Frame;

class CWorkRoom {
 public:
  // Raised by ViewPicked only: (true, x, y, z) when a block was picked, (false, 0, 0, 0) when the
  // pick hit nothing, a wall spanning the room or a cell marker. May stay unset.
  using BlockPickedHandler =
      std::function<void(bool Picked, std::int32_t x, std::int32_t Y, std::int32_t Z)>;
  BlockPickedHandler BlockPicked;

  CWorkRoom();
  ~CWorkRoom();
  CWorkRoom(const CWorkRoom&) = delete;
  CWorkRoom& operator=(const CWorkRoom&) = delete;

  // The current block's cell; (-1, -1, -1) and colour 0 when there is none. If the colour cannot
  // be read, Color keeps the value passed in.
  void CurrentBlock(std::int32_t& x, std::int32_t& Y, std::int32_t& Z, std::int32_t& Color);

  // Cells per axis (5 at start). Setting it empties the room, creates the grids afresh and
  // rebuilds the room for the new count.
  std::int32_t Divide() const;
  void Divide(std::int32_t NewValue);

  // Write-only: the window the room is drawn into. Initialises the engine on it and builds the
  // room; if the engine cannot be set up, tells the user and ends the program.
  void HandleOfPictureBoxForD3dIO(std::uint32_t NewValue);

  // Removes every block; afterwards there is no current block.
  void ResetData();
  // Writes the layout file (CR LF lines, title in Shift_JIS). Nothing for an empty path. Writes a
  // temporary file beside the target and renames it over the target only when it is complete;
  // throws std::runtime_error on failure, leaving any previous file intact.
  void SaveData(const std::string& PathAndName);
  // Every block, as (x, y, z, colour) in the order z, y, x: the records a save would write.
  std::vector<LayoutRecord> Blocks() const;
  // Replaces every block at once and quietly: sets the cell count (1..16; rebuilding the room only
  // when it differs), removes all blocks, puts the given ones in place with no sound, and redraws
  // once. Cells outside the room and repeated cells are skipped. No block is current afterwards.
  // Throws std::invalid_argument for a count outside 1..16, before anything changes.
  void ReplaceBlocks(std::int32_t divide, const std::vector<LayoutRecord>& blocks);
  // Reads the layout file. Nothing for an empty path. The whole file is read and checked first:
  // a file that cannot be read, ends early, holds a non-number, a cell count outside 1..16 or a
  // record outside 0..Divide throws std::runtime_error naming the file and the line, and the room
  // stays as it was. A valid file replaces the room's blocks (rebuilding it if the count differs).
  void LoadData(const std::string& PathAndName);
  // How many models the file LoadData last read held (a .vox file's first is placed); 1 otherwise.
  std::int32_t LoadedModels() const { return loadedModels_; }
  // For scripts, whose paths are taken exactly as given ("\\" is an ordinary character in a name
  // here): SaveData without the mapping of the program's path literals, and what LoadData does
  // once the file is read. PlaceLayout returns false when the program's end stopped it partway.
  void SaveFile(const std::string& path);
  bool PlaceLayout(const Layout& layout);

  // Selects the block under the mouse position (pixels in the drawing window), or clears the
  // selection; raises BlockPicked as described above.
  void ViewPicked(float x, float Y);
  // Makes the block in cell (x, Y, Z) current, as a click on it does (raising BlockPicked and
  // playing the pick sound); true when the cell holds a block. An empty cell or one outside the
  // room leaves no block current, as a click on nothing does.
  bool SelectBlock(std::int32_t x, std::int32_t Y, std::int32_t Z);
  // Puts the picture of the rendered room on the clipboard; throws std::runtime_error on failure.
  void CopyToClipBoard();

  // Moves the current block one cell: "X", "-X", "Y", "-Y", "Z", "-Z" (any case).
  bool Move(const std::string& Direction);
  // Removes the current block; true when one was removed.
  bool DelBlock();
  // Puts a block of a Windows colour (0x00BBGGRR) into cell (x, Y, Z) and makes it current.
  void AddBlock(std::int32_t x, std::int32_t Y, std::int32_t Z, std::int32_t theColor);
  // Turns the room one step named in workroom/room_commands.h (any case).
  void Turn(const std::string& Axis);
  // Sets one of the fixed viewpoints named in workroom/room_commands.h (any case).
  void SetView(const std::string& View);
  // Draws the room again as it stands: after the window changed its size the device behind it is
  // a new one, still empty. Nothing before the window is bound; faults are dropped.
  void Redraw();

 private:
  friend struct CWorkRoomTestAccess;  // tests look at the grids and the scene

  struct BlockVector {
    float x, y, z;
  };

  static std::int32_t MaxOf3(std::int32_t a, std::int32_t b, std::int32_t c);
  static std::int32_t MinOf3(std::int32_t a, std::int32_t b, std::int32_t c);

  void PlayMoveSound();
  void PlayTurnSound();
  void PlayRefuseSound();
  void PlayPickSound();

  // Room construction, in the order in which it runs.
  void InitView();
  void CreateWalls();
  void CreateTable();
  void SetBlockFrames();
  void ResetDivide(bool render = true);

  void CreateGrids();       // all three grids afresh, bounds 0..Divide
  void CreateFrameGrid();   // the frame grid afresh
  void CreateBlockGrids();  // occupancy and colour grids afresh, empty
  void ClearCurrentBlock();
  // Hangs a cube of the cell's size and colour on the cell's frame and records the colour.
  void AttachCube(std::int32_t x, std::int32_t Y, std::int32_t Z, std::int32_t theColor);
  // Takes the block's cube off the cell's frame; false when the frame holds none.
  bool DetachCube(std::int32_t x, std::int32_t Y, std::int32_t Z);
  void RaiseBlockPicked(bool Picked, std::int32_t x, std::int32_t Y, std::int32_t Z);
  double HalfEdge() const;  // 120 / Divide: half the edge of a cell and of a block
  // Draws the room, unless a paced change puts the redraw off (see redraw_pacer.h).
  void Render();
  // Paces the redraws from here to the end of the scope when no sound holds each step.
  RedrawPacer::Scope PacedRedraws();

  std::unique_ptr<Direct3DRM> m_objD3dRM;
  RedrawPacer m_redraws;
  std::uint32_t m_hWndView = 0;
  std::int32_t m_lngDivide = 5;
  BlockVector m_vecCurrentBlock{-1.0f, -1.0f, -1.0f};
  Grid3<std::shared_ptr<Frame>> m_frmBlock;
  Grid3<bool> m_bBlock;
  Grid3<std::int32_t> m_lngBlockColor;
  std::shared_ptr<Frame> m_frmRoom;
  std::int32_t loadedModels_ = 1;
};

}  // namespace kubisto
