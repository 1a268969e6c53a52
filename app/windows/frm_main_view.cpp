// frmMain: the view's mouse input, the timers and continuous turning.
#include <QMenu>
#include <QTimer>
#include <algorithm>

#include "app/editing/command_scope.h"
#include "app/editing/guarded.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "workroom/room_commands.h"

namespace kubisto::app {

namespace {

WorkRoomApi* Room() { return modMain::g_objWorkRoom.get(); }

// Directions of continuous turning, chosen in turn by the turning command.
const commands::TurnName kTurnAxes[4] = {commands::TurnName::kUp, commands::TurnName::kDown,
                                         commands::TurnName::kRight, commands::TurnName::kLeft};

}  // namespace

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
    const auto* item = std::find(kDivideCounts.begin(), kDivideCounts.end(), d);
    const bool inMenu = item != kDivideCounts.end();
    if (inMenu &&
        m_mnuOptionDivideNum[static_cast<size_t>(item - kDivideCounts.begin())]->isChecked())
      return;
    for (size_t i = 0; i < kDivideCounts.size(); ++i)
      m_mnuOptionDivideNum[i]->setChecked(d == kDivideCounts[i]);
  });
}

void frmMain::tmrTickTimer_Timer() {
  CommandScope running;
  if (WorkRoomApi* room = Room()) Quietly([&] { room->Turn(m_strTurnAxis.toStdString()); });
}

void frmMain::mnuViewTurn_Click() {
  m_strTurnAxis = QString::fromLatin1(commands::NameOf(kTurnAxes[m_intTurnStep]));
  m_intTurnStep = (m_intTurnStep + 1) % 4;
  m_tmrTickTimer->start();
}

void frmMain::mnuViewTurnStop_Click() { m_tmrTickTimer->stop(); }

}  // namespace kubisto::app
