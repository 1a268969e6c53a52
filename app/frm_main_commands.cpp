// frmMain: the commands of the menus, the toolbar and the tool panel, the view's mouse input,
// the timers and continuous turning.
#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <memory>

#include "app/command_scope.h"
#include "app/frm_file.h"
#include "app/frm_main.h"
#include "app/frm_splash.h"
#include "app/guarded.h"
#include "app/mod_main.h"
#include "app/paths.h"
#include "app/pic_view.h"
#include "app/status_bar.h"
#include "workroom/room_commands.h"

namespace kubisto::app {

namespace {

WorkRoomApi* Room() { return modMain::g_objWorkRoom.get(); }

// A path built with "\" separators, in the native form the file calls take; "" stays "".
std::string FileCallPath(const std::string& path) { return path.empty() ? path : NativePath(path); }

// Directions of continuous turning, chosen in turn by the turning command.
const char* const kTurnAxes[4] = {"UP", "DOWN", "RIGHT", "LEFT"};

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

// The tool panel's moves and turns, in the spelling each button passes on.
void frmMain::cmdX_Click() {
  if (WorkRoomApi* room = Room()) RunCommand("move", [room] { room->Move("X"); });
}
void frmMain::cmdMX_Click() {
  if (WorkRoomApi* room = Room()) RunCommand("move", [room] { room->Move("-X"); });
}
void frmMain::cmdY_Click() {
  if (WorkRoomApi* room = Room()) RunCommand("move", [room] { room->Move("y"); });
}
void frmMain::cmdMY_Click() {
  if (WorkRoomApi* room = Room()) RunCommand("move", [room] { room->Move("-y"); });
}
void frmMain::cmdZ_Click() {
  if (WorkRoomApi* room = Room()) RunCommand("move", [room] { room->Move("z"); });
}
void frmMain::cmdMZ_Click() {
  if (WorkRoomApi* room = Room()) RunCommand("move", [room] { room->Move("-z"); });
}
void frmMain::cmdUp_Click() {
  if (WorkRoomApi* room = Room()) room->Turn("UP");
}
void frmMain::cmdDown_Click() {
  if (WorkRoomApi* room = Room()) room->Turn("down");
}
void frmMain::cmdLeft_Click() {
  if (WorkRoomApi* room = Room()) room->Turn("left");
}
void frmMain::cmdRight_Click() {
  if (WorkRoomApi* room = Room()) room->Turn("right");
}

// --- Menus ---

void frmMain::mnuFileNew_Click() {
  // Commands that replace the whole room do not run inside another command (a load that lets
  // events run): the user asks again once it has finished.
  if (InsideAnotherCommand()) return;
  if (!MayDiscardChanges()) return;
  if (WorkRoomApi* room = Room()) RunCommand("clear", [room] { room->ResetData(); });
}

void frmMain::mnuEditCopy_Click() {
  if (WorkRoomApi* room = Room()) room->CopyToClipBoard();
}

void frmMain::mnuViewFront_Click() { SetView("Front"); }
void frmMain::mnuViewTop_Click() { SetView("TOP"); }
void frmMain::mnuViewSide_Click() { SetView("SIDE"); }
void frmMain::mnuViewBird_Click() { SetView("BIRD"); }

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
  if (WorkRoomApi* room = Room())
    RunCommand("set_divide", [room, index] { room->SetDivide(index + 3); });
}

void frmMain::mnuHelpVersion_Click() {
  frmSplash version(this);
  version.SetMode("VERSION");
  version.exec();
}

// --- Layout files ---

void frmMain::LoadLayout() {
  if (InsideAnotherCommand()) return;
  if (!MayDiscardChanges()) return;
  std::string name;
  {
    frmFile files(this);
    files.SetMode("LOAD");
    files.SetInitDir(DataDir());
    files.exec();
    m_sbrStatus->SetPanelText(1, tr("データの読み込み中"));
    name = files.filename();
  }
  LoadChosenLayout(name);
}

void frmMain::OpenLayout(const std::string& path) {
  m_sbrStatus->SetPanelText(1, tr("データの読み込み中"));
  LoadChosenLayout(path);
}

void frmMain::LoadChosenLayout(const std::string& name) {
  bool loaded = true;
  // The file call gets the path in native form; the panel shows it as the file window gave it.
  if (WorkRoomApi* room = Room()) {
    loaded = Guarded([&] { RunCommand("load", [&] { room->LoadData(FileCallPath(name)); }); });
  }
  // The room now holds what the file holds.
  if (loaded && !name.empty()) m_history->MarkSaved();
  // A file that could not be read leaves the room as it was and the panel empty.
  m_sbrStatus->SetPanelText(1, loaded ? QString::fromStdString(name) : QString());
}

bool frmMain::SaveLayout() {
  std::string name;
  {
    frmFile files(this);
    files.SetMode("SAVE");
    files.SetInitDir(DataDir());
    files.exec();
    m_sbrStatus->SetPanelText(1, tr("データの保存中"));
    name = files.filename();
  }
  bool saved = true;
  bool written = false;
  if (WorkRoomApi* room = Room()) {
    const std::string target =
        FileCallPath(AddLayoutExtension(QString::fromStdString(name)).toStdString());
    saved = Guarded([&] { room->SaveData(target); });
    written = saved && !target.empty();
  }
  m_sbrStatus->SetPanelText(1, saved ? QString::fromStdString(name) : QString());
  if (written) m_history->MarkSaved();
  return written;
}

QString frmMain::AddLayoutExtension(const QString& Name) {
  // Only spaces are trimmed, at both ends.
  qsizetype first = 0;
  qsizetype last = Name.size();
  while (first < last && Name.at(first) == u' ') ++first;
  while (last > first && Name.at(last - 1) == u' ') --last;
  QString result = Name.mid(first, last - first);
  if (!result.isEmpty() && result.right(4).toUpper() != QStringLiteral(".KBS"))
    result += QStringLiteral(".kbs");
  return result;
}

// --- The view's mouse ---

void frmMain::picView_MouseDown(int button, int, float x, float y) {
  CommandScope running;  // the colour menu lets events run
  WorkRoomApi* room = Room();
  if (room == nullptr) return;
  // Each step runs even if the one before failed.
  // The room is drawn in device pixels; the pop-up below is placed in logical ones.
  const QPointF device = m_picView->ToDevicePixels(QPointF(x, y));
  Quietly(
      [&] { room->ViewPicked(static_cast<float>(device.x()), static_cast<float>(device.y())); });
  std::int32_t bx = -1, by = -1, bz = -1, color = 0;
  Quietly([&] { room->CurrentBlock(bx, by, bz, color); });
  if (bx != -1 && button == 2) {
    const QPoint at = m_picView->mapToGlobal(QPoint(static_cast<int>(x), static_cast<int>(y)));
    m_mnuPopupColor->exec(at);
  }
}

// --- Timers and turning ---

void frmMain::tmrWatchMan_Timer() {
  WorkRoomApi* room = Room();
  if (room == nullptr) return;
  Quietly([&] {
    std::int32_t x = -1, y = -1, z = -1, color = 0;
    room->CurrentBlock(x, y, z, color);
    const QString selection =
        x == -1 ? tr("選択中のブロックはないよ") : tr("(%1,%2,%3)を選択").arg(x).arg(y).arg(z);
    m_sbrStatus->SetPanelText(2, selection);
    // Screen readers describe the view by what is selected in it.
    if (m_picView->accessibleDescription() != selection)
      m_picView->setAccessibleDescription(selection);
  });
  Quietly([&] {
    // Bring the divide menu's marks in step when the cell count changed behind it. A count that
    // has no item leaves every item unchecked.
    const std::int32_t d = room->Divide();
    const bool inMenu = d >= 3 && d <= 5;
    if (inMenu && m_mnuOptionDivideNum[static_cast<size_t>(d - 3)]->isChecked()) return;
    for (int i = 0; i < 3; ++i)
      m_mnuOptionDivideNum[static_cast<size_t>(i)]->setChecked(d == i + 3);
  });
}

void frmMain::tmrTickTimer_Timer() {
  CommandScope running;
  if (WorkRoomApi* room = Room()) Quietly([&] { room->Turn(m_strTurnAxis.toStdString()); });
}

void frmMain::mnuViewTurn_Click() {
  m_strTurnAxis = QString::fromLatin1(kTurnAxes[m_intTurnStep]);
  m_intTurnStep = (m_intTurnStep + 1) % 4;
  m_tmrTickTimer->start();
}

void frmMain::mnuViewTurnStop_Click() { m_tmrTickTimer->stop(); }

}  // namespace kubisto::app
