// frmMain: the commands of the menus, the toolbar and the tool panel.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "app/editing/command_scope.h"
#include "app/editing/guarded.h"
#include "app/host/paths.h"
#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/frm_splash.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "workroom/room_commands.h"

namespace kubisto::app {

namespace {

WorkRoomApi* Room() { return modMain::g_objWorkRoom.get(); }

using commands::DirectionName;
using commands::NameOf;
using commands::TurnName;
using commands::ViewName;

}  // namespace

// --- Toolbar ---

std::span<const frmMain::ToolBarEntry> frmMain::ToolBarEntries() {
  static const ToolBarEntry kEntries[] = {
      {"Fin", "tb_fin.png", QT_TR_NOOP("アプリケーションを終了します。"),
       [](frmMain* w) { w->RequestExit(); }},
      {nullptr, nullptr, nullptr, nullptr},
      {"Load", "tb_load.png", QT_TR_NOOP("データを読み込みます。"),
       [](frmMain* w) { Guarded([w] { w->LoadLayout(); }); }},
      {"Save", "tb_save.png", QT_TR_NOOP("データを保存します。"),
       [](frmMain* w) { Guarded([w] { w->SaveLayout(); }); }},
      {nullptr, nullptr, nullptr, nullptr},
      {"ViewTurn", "tb_turn.png", QT_TR_NOOP("連続回転（回転方向変更）"),
       [](frmMain* w) { w->mnuViewTurn_Click(); }},
      {"StopTurn", "tb_stop.png", QT_TR_NOOP("回転停止"),
       [](frmMain* w) { w->mnuViewTurnStop_Click(); }},
      {nullptr, nullptr, nullptr, nullptr},
      {"FrontView", "tb_front.png", QT_TR_NOOP("正面から見たところ"),
       [](frmMain* w) { Guarded([w] { w->mnuViewFront_Click(); }); }},
      {"TopView", "tb_top.png", QT_TR_NOOP("上から見たところ"),
       [](frmMain* w) { Guarded([w] { w->mnuViewTop_Click(); }); }},
      {"SideView", "tb_side.png", QT_TR_NOOP("右から見たところ"),
       [](frmMain* w) { Guarded([w] { w->mnuViewSide_Click(); }); }},
      {"BirdView", "tb_bird.png", QT_TR_NOOP("ななめうえから見たところ"),
       [](frmMain* w) { Guarded([w] { w->mnuViewBird_Click(); }); }},
  };
  return kEntries;
}

void frmMain::tlbToolBar_ButtonClick(const QString& key) {
  // Any other key (a separator has none) does nothing.
  for (const ToolBarEntry& entry : ToolBarEntries())
    if (entry.key != nullptr && key == QLatin1String(entry.key)) return entry.handler(this);
}

// --- Tool panel ---

void frmMain::RunCommand(const char* name, const std::function<void()>& change) {
  const commands::RoomCommand* command = commands::FindCommand(name);
  const bool wholeRoom = command->reach == commands::Reach::kRoom;
  Change(wholeRoom ? EditHistory::Kind::kRoom : EditHistory::Kind::kBlock, command->undoText,
         change);
}

void frmMain::cmdAdd_Click() {
  if (WorkRoomApi* room = Room()) {
    RunCommand("add", [room] {
      const std::int32_t d = room->Divide();
      room->AddBlock(d - 1, d - 1, d - 1, 0xFF0000);
    });
  }
}

void frmMain::cmdDelete_Click() {
  if (WorkRoomApi* room = Room()) RunCommand("delete", [room] { room->DelBlock(); });
}

// The tool panel's moves and turns, by the command table's names.
void frmMain::cmdX_Click() { MoveCurrentBlock(NameOf(DirectionName::kX)); }
void frmMain::cmdMX_Click() { MoveCurrentBlock(NameOf(DirectionName::kMinusX)); }
void frmMain::cmdY_Click() { MoveCurrentBlock(NameOf(DirectionName::kY)); }
void frmMain::cmdMY_Click() { MoveCurrentBlock(NameOf(DirectionName::kMinusY)); }
void frmMain::cmdZ_Click() { MoveCurrentBlock(NameOf(DirectionName::kZ)); }
void frmMain::cmdMZ_Click() { MoveCurrentBlock(NameOf(DirectionName::kMinusZ)); }
void frmMain::cmdUp_Click() { TurnRoom(NameOf(TurnName::kUp)); }
void frmMain::cmdDown_Click() { TurnRoom(NameOf(TurnName::kDown)); }
void frmMain::cmdLeft_Click() { TurnRoom(NameOf(TurnName::kLeft)); }
void frmMain::cmdRight_Click() { TurnRoom(NameOf(TurnName::kRight)); }

void frmMain::MoveCurrentBlock(const std::string& direction) {
  if (WorkRoomApi* room = Room()) RunCommand("move", [&] { room->Move(direction); });
}

void frmMain::TurnRoom(const std::string& step) {
  if (WorkRoomApi* room = Room()) room->Turn(step);
}

// --- Menus ---

void frmMain::mnuFileNew_Click() {
  // Commands that replace the whole room do not run inside another command (a load that lets
  // events run): the user asks again once it has finished.
  if (InsideAnotherCommand()) return;
  if (!MayDiscardChanges()) return;
  if (WorkRoomApi* room = Room()) RunCommand("clear", [room] { room->ResetData(); });
  // The new room belongs to no file: the panel forgets the old name, and Save asks for one.
  m_layoutPath.clear();
  m_saveBackPath.clear();
  m_sbrStatus->SetPanelText(1, QString());
}

void frmMain::mnuEditCopy_Click() {
  if (WorkRoomApi* room = Room()) room->CopyToClipBoard();
}

void frmMain::mnuViewFront_Click() { SetView(NameOf(ViewName::kFront)); }
void frmMain::mnuViewTop_Click() { SetView(NameOf(ViewName::kTop)); }
void frmMain::mnuViewSide_Click() { SetView(NameOf(ViewName::kSide)); }
void frmMain::mnuViewBird_Click() { SetView(NameOf(ViewName::kBird)); }

void frmMain::SetView(const std::string& view) {
  if (WorkRoomApi* room = Room()) room->SetView(view);
}

void frmMain::RecolourCurrentBlock(int color) {
  WorkRoomApi* room = Room();
  if (room == nullptr) return;
  std::int32_t x = -1, y = -1, z = -1, current = 0;
  room->CurrentBlock(x, y, z, current);
  if (x == -1) return;
  // The block is taken away and put back in the new colour; it is the current block again.
  RunCommand("recolour", [&] {
    room->DelBlock();
    room->AddBlock(x, y, z, color);
  });
}

void frmMain::mnuOptionDivideNum_Click(int index) {
  if (InsideAnotherCommand() || !MayDiscardChanges()) {
    SyncDivideMarks();  // the item's own click checked it
    return;
  }
  for (QAction* entry : m_mnuOptionDivideNum) entry->setChecked(false);
  m_mnuOptionDivideNum.at(static_cast<size_t>(index))->setChecked(true);
  const int count = kDivideCounts.at(static_cast<size_t>(index));
  if (WorkRoomApi* room = Room())
    RunCommand("set_divide", [room, count] { room->SetDivide(count); });
}

void frmMain::mnuHelpVersion_Click() {
  frmSplash version(this);
  version.SetMode("VERSION");
  version.exec();
}

}  // namespace kubisto::app
