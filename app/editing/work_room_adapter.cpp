// WorkRoomApi on the real CWorkRoom.
#include "app/editing/work_room_api.h"
#include "workroom/workroom.h"

namespace kubisto::app {

namespace {

class CWorkRoomAdapter final : public WorkRoomApi {
 public:
  void CurrentBlock(std::int32_t& x, std::int32_t& Y, std::int32_t& Z,
                    std::int32_t& Color) override {
    m_room.CurrentBlock(x, Y, Z, Color);
  }
  std::int32_t Divide() override { return m_room.Divide(); }
  void SetDivide(std::int32_t NewValue) override { m_room.Divide(NewValue); }
  void SetHandleOfPictureBoxForD3dIO(std::uint32_t NewValue) override {
    m_room.HandleOfPictureBoxForD3dIO(NewValue);
  }
  void ResetData() override { m_room.ResetData(); }
  void SaveData(const std::string& PathAndName) override { m_room.SaveData(PathAndName); }
  void LoadData(const std::string& PathAndName) override { m_room.LoadData(PathAndName); }
  void ViewPicked(float x, float Y) override { m_room.ViewPicked(x, Y); }
  void CopyToClipBoard() override { m_room.CopyToClipBoard(); }
  bool Move(const std::string& Direction) override { return m_room.Move(Direction); }
  bool DelBlock() override { return m_room.DelBlock(); }
  void AddBlock(std::int32_t x, std::int32_t Y, std::int32_t Z, std::int32_t theColor) override {
    m_room.AddBlock(x, Y, Z, theColor);
  }
  void Turn(const std::string& Axis) override { m_room.Turn(Axis); }
  void SetView(const std::string& View) override { m_room.SetView(View); }
  void Redraw() override { m_room.Redraw(); }
  std::vector<LayoutRecord> Blocks() override { return m_room.Blocks(); }
  void ReplaceBlocks(std::int32_t divide, const std::vector<LayoutRecord>& blocks) override {
    m_room.ReplaceBlocks(divide, blocks);
  }
  bool SelectBlock(std::int32_t x, std::int32_t Y, std::int32_t Z) override {
    return m_room.SelectBlock(x, Y, Z);
  }
  void SaveFile(const std::string& path) override { m_room.SaveFile(path); }
  bool PlaceLayout(const Layout& layout) override { return m_room.PlaceLayout(layout); }

 private:
  CWorkRoom m_room;
};

}  // namespace

std::unique_ptr<WorkRoomApi> CreateCWorkRoom() { return std::make_unique<CWorkRoomAdapter>(); }

}  // namespace kubisto::app
