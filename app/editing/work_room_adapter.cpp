// WorkRoomApi on the real CWorkRoom.
#include "app/editing/work_room_api.h"
#include "workroom/workroom.h"

namespace kubisto::app {

namespace {

class CWorkRoomAdapter final : public WorkRoomApi {
 public:
  void CurrentBlock(std::int32_t& x, std::int32_t& Y, std::int32_t& Z,
                    std::int32_t& Color) override {
    room_.CurrentBlock(x, Y, Z, Color);
  }
  std::int32_t Divide() override { return room_.Divide(); }
  void SetDivide(std::int32_t NewValue) override { room_.Divide(NewValue); }
  void SetHandleOfPictureBoxForD3dIO(std::uint32_t NewValue) override {
    room_.HandleOfPictureBoxForD3dIO(NewValue);
  }
  void ResetData() override { room_.ResetData(); }
  void SaveData(const std::string& PathAndName) override { room_.SaveData(PathAndName); }
  void LoadData(const std::string& PathAndName) override { room_.LoadData(PathAndName); }
  std::int32_t LoadedModels() override { return room_.LoadedModels(); }
  void ViewPicked(float x, float Y) override { room_.ViewPicked(x, Y); }
  void CopyToClipBoard() override { room_.CopyToClipBoard(); }
  bool Move(const std::string& Direction) override { return room_.Move(Direction); }
  bool DelBlock() override { return room_.DelBlock(); }
  void AddBlock(std::int32_t x, std::int32_t Y, std::int32_t Z, std::int32_t theColor) override {
    room_.AddBlock(x, Y, Z, theColor);
  }
  void Turn(const std::string& Axis) override { room_.Turn(Axis); }
  void SetView(const std::string& View) override { room_.SetView(View); }
  void Redraw() override { room_.Redraw(); }
  std::vector<LayoutRecord> Blocks() override { return room_.Blocks(); }
  void ReplaceBlocks(std::int32_t divide, const std::vector<LayoutRecord>& blocks) override {
    room_.ReplaceBlocks(divide, blocks);
  }
  bool SelectBlock(std::int32_t x, std::int32_t Y, std::int32_t Z) override {
    return room_.SelectBlock(x, Y, Z);
  }
  void SaveFile(const std::string& path) override { room_.SaveFile(path); }
  bool PlaceLayout(const Layout& layout) override { return room_.PlaceLayout(layout); }

 private:
  CWorkRoom room_;
};

}  // namespace

std::unique_ptr<WorkRoomApi> CreateCWorkRoom() { return std::make_unique<CWorkRoomAdapter>(); }

}  // namespace kubisto::app
