// The main window as loaded: its size, caption, controls and their run-time layout.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cstdlib>

#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "app/windows/tool_box.h"
#include "frm_main_fixture.h"
#include "platform/window.h"

namespace kubisto::app::test {
namespace {

TEST_F(FrmMainTest, ClientAreaIsExactly600By400AtFirstAndTheWindowMayOnlyGrow) {
  window->show();
  Pump(20);
  EXPECT_EQ(window->client()->size(), QSize(600, 400));
  EXPECT_EQ(window->client()->mapTo(window, QPoint(0, 0)).y(), window->menuBar()->height());
  // The designed size is the smallest; the window may be resized and maximised beyond it.
  EXPECT_EQ(window->minimumSize(), window->size());
  EXPECT_GT(window->maximumWidth(), 600);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->windowTitle(),
            QStringLiteral("超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2"));
}

TEST_F(FrmMainTest, LoadingLeavesTheWindowHiddenAndTheWatchTimerStopped) {
  // The start sequence starts the watch timer once the workroom is bound.
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->tmrWatchMan()->isActive());
  EXPECT_EQ(window->tmrWatchMan()->interval(), 10);
  EXPECT_FALSE(window->tmrTickTimer()->isActive());
  EXPECT_EQ(window->tmrTickTimer()->interval(), 20);
}

TEST_F(FrmMainTest, ViewAndToolPanelFillTheSpaceBetweenTheBars) {
  const QRect tool = window->tlbToolBar()->geometry();
  const QRect status = window->sbrStatus()->geometry();
  const QRect view = window->picView()->geometry();
  const QRect panel = window->picToolBox()->geometry();
  ASSERT_GT(tool.height(), 0);
  ASSERT_GT(status.height(), 0);
  // The bars span the client area at its top and bottom.
  EXPECT_EQ(tool, QRect(0, 0, 600, tool.height()));
  EXPECT_EQ(status, QRect(0, 400 - status.height(), 600, status.height()));
  // The view starts 2 pixels in from the left and below the tool bar and reaches down to the
  // status bar; the panel stands 2 pixels right of it, as tall, and ends at the right edge.
  EXPECT_EQ(view.topLeft(), QPoint(2, tool.bottom() + 1 + 2));
  EXPECT_EQ(view.bottom() + 1, status.top());
  EXPECT_EQ(panel.left(), view.right() + 1 + 2);
  EXPECT_EQ(panel.top(), view.top());
  EXPECT_EQ(panel.height(), view.height());
  EXPECT_EQ(panel.right() + 1, 600);
  // The view takes the larger share.
  EXPECT_GT(view.width(), 2 * panel.width());
}

TEST_F(FrmMainTest, ThePlatformWindowHasTheViewsSizeBeforeTheWindowIsShown) {
  int w = 0, h = 0;
  ASSERT_TRUE(platform::GetClientSize(window->picView()->hWnd(), &w, &h));
  EXPECT_EQ(QSize(w, h), window->picView()->size());
}

TEST_F(FrmMainTest, TheTwelveButtonsKeepTheirSizes) {
  auto size = [&](const char* name) { return window->button(name)->size(); };
  EXPECT_EQ(size("cmdAdd"), QSize(49, 41));
  EXPECT_EQ(size("cmdDelete"), QSize(49, 41));
  for (const char* name : {"cmdX", "cmdMX", "cmdY", "cmdMY", "cmdZ", "cmdMZ"}) {
    EXPECT_EQ(size(name), QSize(33, 25)) << name;
  }
  EXPECT_EQ(size("cmdUp"), QSize(33, 41));
  EXPECT_EQ(size("cmdDown"), QSize(33, 41));
  EXPECT_EQ(size("cmdLeft"), QSize(41, 33));
  EXPECT_EQ(size("cmdRight"), QSize(41, 33));
}

TEST_F(FrmMainTest, TheButtonsLieInsideThePanelWithoutOverlapping) {
  const QList<QPushButton*> buttons = window->picToolBox()->findChildren<QPushButton*>();
  ASSERT_EQ(buttons.size(), 12);
  for (QPushButton* b : buttons) {
    EXPECT_TRUE(window->picToolBox()->rect().contains(b->geometry()))
        << b->objectName().toStdString();
    for (QPushButton* other : buttons) {
      if (other == b) continue;
      EXPECT_FALSE(b->geometry().intersects(other->geometry()))
          << b->objectName().toStdString() << " overlaps " << other->objectName().toStdString();
    }
  }
}

TEST_F(FrmMainTest, TheButtonsStandInGroupsFromTopToBottomEachCentred) {
  auto at = [&](const char* name) { return window->button(name)->geometry(); };
  const int panelWidth = window->picToolBox()->width();
  // A group of buttons side by side is centred in the panel (to a pixel of rounding).
  auto expectCentred = [&](const QRect& group, const char* what) {
    EXPECT_LE(std::abs(group.left() - (panelWidth - 1 - group.right())), 1) << what;
  };
  // Add and Delete side by side at the top.
  EXPECT_EQ(at("cmdDelete").topLeft(), at("cmdAdd").topRight() + QPoint(1, 0));
  expectCentred(at("cmdAdd") | at("cmdDelete"), "add and delete");
  // Below them the three pairs of axis buttons, each pair on one row, rows touching.
  const char* pairs[3][2] = {{"cmdX", "cmdMX"}, {"cmdY", "cmdMY"}, {"cmdZ", "cmdMZ"}};
  EXPECT_GT(at("cmdX").top(), at("cmdAdd").bottom());
  for (int row = 0; row < 3; ++row) {
    EXPECT_EQ(at(pairs[row][1]).topLeft(), at(pairs[row][0]).topRight() + QPoint(1, 0)) << row;
    if (row > 0) {
      EXPECT_EQ(at(pairs[row][0]).top(), at(pairs[row - 1][0]).bottom() + 1) << row;
    }
    expectCentred(at(pairs[row][0]) | at(pairs[row][1]), pairs[row][0]);
  }
  // Below them the turning cross: Up above Down, Left and Right either side of Down.
  EXPECT_GT(at("cmdUp").top(), at("cmdZ").bottom());
  EXPECT_EQ(at("cmdDown").topLeft(), at("cmdUp").bottomLeft() + QPoint(0, 1));
  EXPECT_EQ(at("cmdLeft").right() + 1, at("cmdDown").left());
  EXPECT_EQ(at("cmdRight").left(), at("cmdDown").right() + 1);
  expectCentred(at("cmdUp"), "up");
  expectCentred(at("cmdLeft") | at("cmdRight"), "left and right");
  // The gaps above, between and below the three groups are alike (to a pixel of rounding).
  const int gaps[4] = {at("cmdAdd").top(), at("cmdX").top() - at("cmdAdd").bottom() - 1,
                       at("cmdUp").top() - at("cmdZ").bottom() - 1,
                       window->picToolBox()->height() - 1 - at("cmdDown").bottom()};
  for (int gap : gaps) EXPECT_LE(std::abs(gap - gaps[0]), 1) << gap << " against " << gaps[0];
}

TEST_F(FrmMainTest, StatusBarHasTwoPanelsSizedLikeViewAndPanel) {
  EXPECT_EQ(window->sbrStatus()->PanelCount(), 2);
  EXPECT_EQ(window->sbrStatus()->PanelWidth(1), window->picView()->width());
  EXPECT_EQ(window->sbrStatus()->PanelWidth(2), window->picToolBox()->width());
  // No icon file in the test's program folder: panel 2 goes without a picture.
  EXPECT_FALSE(window->sbrStatus()->PanelHasPicture(2));
}

TEST_F(FrmMainTest, TheColourMenuPopsUpButIsNotOnTheMenuBar) {
  // The six fixed colours first, then a separator and the colour dialog's item.
  const QList<QAction*> items = window->mnuPopupColor()->actions();
  ASSERT_EQ(items.size(), 8);
  for (int i = 0; i < 6; ++i) EXPECT_TRUE(items[i]->objectName().startsWith("mnuPopupColor")) << i;
  EXPECT_TRUE(items[6]->isSeparator());
  EXPECT_EQ(items[7]->objectName(), "mnuPopupColorOther");
  for (QAction* a : window->menuBar()->actions()) EXPECT_NE(a->menu(), window->mnuPopupColor());
}

TEST_F(FrmMainTest, DivideMenuStartsWithFiveChecked) {
  EXPECT_FALSE(window->mnuOptionDivideNum(0)->isChecked());
  EXPECT_FALSE(window->mnuOptionDivideNum(1)->isChecked());
  EXPECT_TRUE(window->mnuOptionDivideNum(2)->isChecked());
}

TEST_F(FrmMainTest, ToolbarHasTwelveEntriesWithSeparatorsAtTheirPlaces) {
  const QList<QAction*> entries = window->tlbToolBar()->actions();
  ASSERT_EQ(entries.size(), 12);
  QStringList keys;
  for (QAction* a : entries) keys << (a->isSeparator() ? "-" : a->data().toString());
  EXPECT_EQ(keys, QStringList({"Fin", "-", "Load", "Save", "-", "ViewTurn", "StopTurn", "-",
                               "FrontView", "TopView", "SideView", "BirdView"}));
}

}  // namespace
}  // namespace kubisto::app::test
