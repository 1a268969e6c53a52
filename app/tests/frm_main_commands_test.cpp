// The main window's commands: each menu item, toolbar key and tool panel button reaches its
// workroom call; the colour pop-up, the divide menu, turning, the watch timer and layout files.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "app/windows/frm_file.h"
#include "app/windows/frm_splash.h"
#include "app/windows/help_window.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "frm_main_fixture.h"

namespace kubisto::app::test {
namespace {

using Calls = std::vector<std::string>;

struct CommandCase {
  const char* action;
  Calls expected;
};

TEST_F(FrmMainTest, EachMenuItemReachesItsWorkroomCall) {
  const CommandCase cases[] = {
      {"mnuFileNew", {"ResetData"}},
      {"mnuEditCopy", {"CopyToClipBoard"}},
      {"mnuViewFront", {"SetView(FRONT)"}},
      {"mnuViewTop", {"SetView(TOP)"}},
      {"mnuViewSide", {"SetView(SIDE)"}},
      {"mnuViewBird", {"SetView(BIRD)"}},
      {"mnuOptionDivideNum0", {"SetDivide(3)"}},
      {"mnuOptionDivideNum1", {"SetDivide(4)"}},
      {"mnuOptionDivideNum2", {"SetDivide(5)"}},
  };
  for (const CommandCase& c : cases) {
    room->calls.clear();
    QAction* item = window->action(c.action);
    ASSERT_NE(item, nullptr) << c.action;
    item->trigger();
    EXPECT_EQ(room->Commands(), c.expected) << c.action;
  }
}

TEST_F(FrmMainTest, EachToolbarKeyRunsItsMenuCommand) {
  const CommandCase cases[] = {
      {"FrontView", {"SetView(FRONT)"}},
      {"TopView", {"SetView(TOP)"}},
      {"SideView", {"SetView(SIDE)"}},
      {"BirdView", {"SetView(BIRD)"}},
  };
  for (const CommandCase& c : cases) {
    room->calls.clear();
    window->findChild<QAction*>(QStringLiteral("tlbToolBar_") + c.action)->trigger();
    EXPECT_EQ(room->Commands(), c.expected) << c.action;
  }
  // A key that is not in the table does nothing.
  room->calls.clear();
  window->tlbToolBar_ButtonClick("");
  window->tlbToolBar_ButtonClick("Unknown");
  EXPECT_TRUE(room->calls.empty());
}

TEST_F(FrmMainTest, ToolbarTurnKeysStartAndStopTurning) {
  window->findChild<QAction*>("tlbToolBar_ViewTurn")->trigger();
  EXPECT_TRUE(window->tmrTickTimer()->isActive());
  EXPECT_EQ(window->TurnAxis(), "UP");
  window->findChild<QAction*>("tlbToolBar_StopTurn")->trigger();
  EXPECT_FALSE(window->tmrTickTimer()->isActive());
}

TEST_F(FrmMainTest, EachToolPanelButtonMakesOneCallWhileDisabled) {
  const std::pair<const char*, Calls> cases[] = {
      {"cmdAdd", {"AddBlock(4,4,4,16711680)"}},  // the spawn cell of 5 cells, blue
      {"cmdDelete", {"DelBlock"}},
      {"cmdX", {"Move(X)"}},
      {"cmdMX", {"Move(-X)"}},
      {"cmdY", {"Move(Y)"}},
      {"cmdMY", {"Move(-Y)"}},
      {"cmdZ", {"Move(Z)"}},
      {"cmdMZ", {"Move(-Z)"}},
      {"cmdUp", {"Turn(UP)"}},
      {"cmdDown", {"Turn(DOWN)"}},
      {"cmdLeft", {"Turn(LEFT)"}},
      {"cmdRight", {"Turn(RIGHT)"}},
  };
  window->show();
  for (const auto& [name, expected] : cases) {
    QPushButton* cmd = window->button(name);
    bool enabledDuringCall = true;
    room->calls.clear();
    room->onCall = [&](const std::string& call) {
      if (call != "Divide") enabledDuringCall = cmd->isEnabled();
    };
    QTest::mouseClick(cmd, Qt::LeftButton);
    room->onCall = nullptr;
    EXPECT_EQ(room->Commands(), expected) << name;
    EXPECT_FALSE(enabledDuringCall) << name;
    EXPECT_TRUE(cmd->isEnabled()) << name;
  }
}

TEST_F(FrmMainTest, AddUsesTheSpawnCellOfTheCurrentCellCount) {
  room->divide = 3;
  window->button("cmdAdd")->click();
  EXPECT_EQ(room->Commands(), Calls({"AddBlock(2,2,2,16711680)"}));
}

TEST_F(FrmMainTest, RightClickOnABlockOffersColoursAndTheChoiceRecolours) {
  window->show();
  room->pickSelects = true;
  room->pickX = 3;
  room->pickY = 0;
  room->pickZ = 1;
  room->pickColor = 0xFF0000;
  QString offered;
  OnNextPopup([&](QWidget* popup) {
    offered = popup->objectName();
    auto* menu = qobject_cast<QMenu*>(popup);
    for (QAction* a : menu->actions())
      if (a->objectName() == "mnuPopupColorGreen") a->trigger();
    menu->close();
  });
  QTest::mouseClick(window->picView(), Qt::RightButton, {}, QPoint(40, 30));
  Pump(20);
  EXPECT_EQ(offered, "mnuPopupColor");
  EXPECT_EQ(room->Commands(), Calls({"ViewPicked(40,30)", "DelBlock", "AddBlock(3,0,1,65280)"}));
  EXPECT_EQ(room->x, 3);
  EXPECT_EQ(room->color, 0x00FF00);
}

TEST_F(FrmMainTest, LeftClickSelectsWithoutMenuAndRightClickOnNothingShowsNone) {
  window->show();
  room->pickSelects = true;
  room->pickX = 1;
  room->pickY = 2;
  room->pickZ = 3;
  bool popped = false;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (QWidget* popup = QApplication::activePopupWidget()) {
      popped = true;
      popup->close();
    }
  });
  probe.start(5);
  QTest::mouseClick(window->picView(), Qt::LeftButton, {}, QPoint(10, 10));
  room->pickX = -1;  // the next press hits no block
  QTest::mouseClick(window->picView(), Qt::RightButton, {}, QPoint(12, 11));
  Pump(30);
  EXPECT_FALSE(popped);
  EXPECT_EQ(room->Commands(), Calls({"ViewPicked(10,10)", "ViewPicked(12,11)"}));
}

TEST_F(FrmMainTest, RecolouringWithoutASelectedBlockDoesNothing) {
  window->action("mnuPopupColorRed")->trigger();
  EXPECT_TRUE(room->Commands().empty());
}

TEST_F(FrmMainTest, DivideItemMovesTheCheckMark) {
  window->action("mnuOptionDivideNum0")->trigger();
  EXPECT_TRUE(window->mnuOptionDivideNum(0)->isChecked());
  EXPECT_FALSE(window->mnuOptionDivideNum(1)->isChecked());
  EXPECT_FALSE(window->mnuOptionDivideNum(2)->isChecked());
  // Choosing the checked item again keeps it checked.
  window->action("mnuOptionDivideNum0")->trigger();
  EXPECT_TRUE(window->mnuOptionDivideNum(0)->isChecked());
}

TEST_F(FrmMainTest, TurningCyclesUpDownRightLeftAndContinuesAfterStop) {
  for (int i = 0; i < 5; ++i) window->mnuViewTurn_Click();
  EXPECT_EQ(window->TurnAxis(), "UP");
  EXPECT_TRUE(window->tmrTickTimer()->isActive());
  window->mnuViewTurnStop_Click();
  EXPECT_FALSE(window->tmrTickTimer()->isActive());
  EXPECT_EQ(window->TurnAxis(), "UP");  // kept while still
  window->mnuViewTurn_Click();
  EXPECT_EQ(window->TurnAxis(), "DOWN");
  window->mnuViewTurn_Click();
  EXPECT_EQ(window->TurnAxis(), "RIGHT");
  window->mnuViewTurn_Click();
  EXPECT_EQ(window->TurnAxis(), "LEFT");
  window->mnuViewTurnStop_Click();
}

TEST_F(FrmMainTest, TickTimerTurnsInTheChosenDirection) {
  window->action("mnuViewTurn")->trigger();
  window->action("mnuViewTurn")->trigger();
  Pump(70);
  window->action("mnuViewTurnStop")->trigger();
  const Calls commands = room->Commands();
  ASSERT_FALSE(commands.empty());
  for (const std::string& call : commands) EXPECT_EQ(call, "Turn(DOWN)");
}

TEST_F(FrmMainTest, WatchTimerShowsTheSelection) {
  window->tmrWatchMan_Timer();
  EXPECT_EQ(window->sbrStatus()->PanelText(2), QStringLiteral("選択中のブロックはないよ"));
  room->x = 4;
  room->y = 0;
  room->z = 2;
  window->tmrWatchMan_Timer();
  EXPECT_EQ(window->sbrStatus()->PanelText(2), QStringLiteral("(4,0,2)を選択"));
}

TEST_F(FrmMainTest, WatchTimerBringsTheDivideMarksInStep) {
  room->divide = 3;
  window->tmrWatchMan()->start();
  Pump(40);
  EXPECT_TRUE(window->mnuOptionDivideNum(0)->isChecked());
  EXPECT_FALSE(window->mnuOptionDivideNum(2)->isChecked());
  // A count without an item leaves none checked, and the timer goes on.
  room->divide = 7;
  room->x = 6;
  room->y = room->z = 0;
  Pump(40);
  for (int i = 0; i < 3; ++i) EXPECT_FALSE(window->mnuOptionDivideNum(i)->isChecked());
  EXPECT_TRUE(window->tmrWatchMan()->isActive());
  EXPECT_EQ(window->sbrStatus()->PanelText(2), QStringLiteral("(6,0,0)を選択"));
  window->tmrWatchMan()->stop();
}

TEST(AddLayoutExtension, AddsTheExtensionOnlyWhereItIsMissing) {
  const std::pair<const char*, const char*> cases[] = {
      {"room", "room.kbs"},
      {"room.KBS", "room.KBS"},
      {"room.kbs", "room.kbs"},
      {"room.Kbs", "room.Kbs"},
      {"room.txt", "room.txt.kbs"},
      {"  room  ", "room.kbs"},
      {"", ""},
      {"   ", ""},
      {"/d/data\\   ", "/d/data\\.kbs"},
      {"\t room", "\t room.kbs"},  // only spaces are trimmed
      {"部屋", "部屋.kbs"},
  };
  for (const auto& [in, out] : cases)
    EXPECT_EQ(frmMain::AddLayoutExtension(QString::fromUtf8(in)), QString::fromUtf8(out)) << in;
}

TEST_F(FrmMainTest, LoadLayoutPassesThePathChosenAndShowsIt) {
  QFile(QString::fromStdString(state.programDir + "/data/one.kbs")).open(QIODevice::WriteOnly);
  QString caption;
  OnNextModal([&](QWidget* modal) {
    auto* files = qobject_cast<frmFile*>(modal);
    ASSERT_NE(files, nullptr);
    caption = files->windowTitle();
    EXPECT_EQ(files->filFiles()->count(), 1);
    ClickFileName(files, 0);
    files->cmdOK()->click();
  });
  window->action("mnuFileLoad")->trigger();
  const std::string path = state.programDir + "/data/one.kbs";
  EXPECT_EQ(caption, QStringLiteral("Oh!Kubisto!! データを読み込もう"));
  // The workroom gets the path in native form, and the panel shows the same path.
  EXPECT_EQ(room->Commands(), Calls({"LoadData(" + path + ")"}));
  EXPECT_EQ(window->sbrStatus()->PanelText(1), QString::fromStdString(path));
  EXPECT_EQ(window->findChild<frmFile*>(), nullptr);  // unloaded
}

TEST_F(FrmMainTest, CancelledLoadPassesTheEmptyPathAndEmptiesThePanel) {
  window->sbrStatus()->SetPanelText(1, "old");
  OnNextModal([](QWidget* modal) { qobject_cast<frmFile*>(modal)->cmdCancel()->click(); });
  window->tlbToolBar_ButtonClick("Load");
  EXPECT_EQ(room->Commands(), Calls({"LoadData()"}));
  EXPECT_EQ(window->sbrStatus()->PanelText(1), QString());
}

TEST_F(FrmMainTest, SaveLayoutAddsTheExtensionAndShowsThePathWritten) {
  QString caption;
  OnNextModal([&](QWidget* modal) {
    auto* files = qobject_cast<frmFile*>(modal);
    caption = files->windowTitle();
    files->txtFileName()->setText("room");
    files->cmdOK()->click();
  });
  window->tlbToolBar_ButtonClick("Save");
  const std::string path = state.programDir + "/data/room.kbs";
  EXPECT_EQ(caption, QStringLiteral("Oh!Kubisto!! データを保存しよう"));
  EXPECT_EQ(room->Commands(), Calls({"SaveData(" + path + ")"}));
  // The real path: "/" throughout, with the extension added.
  EXPECT_EQ(window->sbrStatus()->PanelText(1), QString::fromStdString(path));
}

TEST_F(FrmMainTest, AFailedLoadIsReportedAndTheProgramGoesOn) {
  room->failLoad = true;
  OnNextModal([](QWidget* modal) {
    auto* files = qobject_cast<frmFile*>(modal);
    files->txtFileName()->setText("broken.kbs");
    files->cmdOK()->click();
  });
  window->action("mnuFileLoad")->trigger();
  ASSERT_EQ(state.services.messages.size(), 1u);
  EXPECT_NE(state.services.messages[0].text.find("broken.kbs"), std::string::npos);
  EXPECT_EQ(window->sbrStatus()->PanelText(1), QString());
}

TEST_F(FrmMainTest, VersionCommandShowsTheVersionWindowModally) {
  QString mode;
  OnNextModal([&](QWidget* modal) {
    auto* version = qobject_cast<frmSplash*>(modal);
    ASSERT_NE(version, nullptr);
    mode = version->Mode();
    QTest::mouseClick(version, Qt::LeftButton, {}, QPoint(20, 50));
  });
  window->action("mnuHelpVersion")->trigger();
  EXPECT_EQ(mode, "VERSION");
}

TEST_F(FrmMainTest, HelpCommandOpensTheHelpWindowOwnedByTheMainWindow) {
  window->action("mnuHelpHelp")->trigger();
  auto* help = window->findChild<HelpWindow*>("helpWindow");
  ASSERT_NE(help, nullptr);
  EXPECT_TRUE(help->isVisible());
}

}  // namespace
}  // namespace kubisto::app::test
