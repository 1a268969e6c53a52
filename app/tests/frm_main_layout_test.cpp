// The main window as loaded: its size, caption, controls and their run-time layout.
#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <cmath>

#include "app/pic_view.h"
#include "app/status_bar.h"
#include "app/tool_box.h"
#include "frm_main_fixture.h"
#include "platform/window.h"

namespace kubisto::app::test {
namespace {

int Round(double v) { return static_cast<int>(std::lround(v)); }

TEST_F(FrmMainTest, ClientAreaIsExactly600By400AndTheWindowHasAFixedSize) {
  window->show();
  Pump(20);
  EXPECT_EQ(window->client()->size(), QSize(600, 400));
  EXPECT_EQ(window->client()->mapTo(window, QPoint(0, 0)).y(), window->menuBar()->height());
  EXPECT_EQ(window->minimumSize(), window->maximumSize());
  EXPECT_TRUE(window->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(window->windowTitle(), QStringLiteral("超簡易3D積み木「Oh!Kubisto!!forWindows」Ver0.3bβ2"));
}

TEST_F(FrmMainTest, LoadingLeavesTheWindowHiddenAndTheWatchTimerStopped) {
  // The start sequence starts the watch timer once the workroom is bound.
  EXPECT_FALSE(window->isVisible());
  EXPECT_FALSE(window->tmrWatchMan()->isActive());
  EXPECT_EQ(window->tmrWatchMan()->interval(), 10);
  EXPECT_FALSE(window->tmrTickTimer()->isActive());
  EXPECT_EQ(window->tmrTickTimer()->interval(), 20);
}

TEST_F(FrmMainTest, ViewAndToolPanelArePlacedFromTheBarHeights) {
  const int tH = window->tlbToolBar()->height();
  const int sH = window->sbrStatus()->height();
  ASSERT_GT(tH, 0);
  ASSERT_GT(sH, 0);
  const double height = 400.0 - (tH + sH + 2);
  EXPECT_EQ(window->picView()->geometry(), QRect(2, tH + 2, Round(596 * 0.7), Round(height)));
  EXPECT_EQ(window->picToolBox()->geometry(), QRect(Round(2 + 596 * 0.7 + 2), tH + 2, Round(596 * 0.3), Round(height)));
  // The view reaches down to the status bar; the panel ends at the right edge.
  EXPECT_EQ(window->picView()->geometry().bottom() + 1, window->sbrStatus()->y());
  EXPECT_EQ(window->picToolBox()->geometry().right() + 1, 600);
  EXPECT_EQ(window->tlbToolBar()->geometry(), QRect(0, 0, 600, tH));
  EXPECT_EQ(window->sbrStatus()->geometry(), QRect(0, 400 - sH, 600, sH));
}

TEST_F(FrmMainTest, ThePlatformWindowHasTheViewsSizeBeforeTheWindowIsShown) {
  int w = 0, h = 0;
  ASSERT_TRUE(platform::GetClientSize(window->picView()->hWnd(), &w, &h));
  EXPECT_EQ(QSize(w, h), window->picView()->size());
}

TEST_F(FrmMainTest, TheTwelveButtonsAreLaidOutInsideThePanel) {
  const double PW = window->picToolBox()->width();
  const double PH = window->picToolBox()->height();
  auto at = [&](const char* name) { return window->button(name)->pos(); };
  auto size = [&](const char* name) { return window->button(name)->size(); };

  EXPECT_EQ(size("cmdAdd"), QSize(49, 41));
  EXPECT_EQ(size("cmdDelete"), QSize(49, 41));
  for (const char* name : {"cmdX", "cmdMX", "cmdY", "cmdMY", "cmdZ", "cmdMZ"}) EXPECT_EQ(size(name), QSize(33, 25)) << name;
  EXPECT_EQ(size("cmdUp"), QSize(33, 41));
  EXPECT_EQ(size("cmdDown"), QSize(33, 41));
  EXPECT_EQ(size("cmdLeft"), QSize(41, 33));
  EXPECT_EQ(size("cmdRight"), QSize(41, 33));

  const double g = (PH - (3 * 25 + 41 + 2 * 41)) / 4;
  const double addLeft = (PW - 98) / 2;
  EXPECT_EQ(at("cmdAdd"), QPoint(Round(addLeft), Round(g)));
  EXPECT_EQ(at("cmdDelete"), QPoint(Round(addLeft + 49), Round(g)));
  const double xLeft = (PW - 66) / 2;
  const double xTop = 2 * g + 41;
  EXPECT_EQ(at("cmdX"), QPoint(Round(xLeft), Round(xTop)));
  EXPECT_EQ(at("cmdMX"), QPoint(Round(xLeft + 33), Round(xTop)));
  EXPECT_EQ(at("cmdY"), QPoint(Round(xLeft), Round(xTop + 25)));
  EXPECT_EQ(at("cmdMY"), QPoint(Round(xLeft + 33), Round(xTop + 25)));
  EXPECT_EQ(at("cmdZ"), QPoint(Round(xLeft), Round(xTop + 50)));
  EXPECT_EQ(at("cmdMZ"), QPoint(Round(xLeft + 33), Round(xTop + 50)));
  const double upLeft = (PW - 33) / 2;
  const double upTop = xTop + 75 + g;
  EXPECT_EQ(at("cmdUp"), QPoint(Round(upLeft), Round(upTop)));
  EXPECT_EQ(at("cmdDown"), QPoint(Round(upLeft), Round(upTop + 41)));
  EXPECT_EQ(at("cmdLeft"), QPoint(Round(upLeft - 41), Round(upTop + 41 - 16.5)));
  EXPECT_EQ(at("cmdRight"), QPoint(Round(upLeft + 33), Round(upTop + 41 - 16.5)));

  // Every button lies wholly inside the panel.
  for (QPushButton* b : window->picToolBox()->findChildren<QPushButton*>())
    EXPECT_TRUE(window->picToolBox()->rect().contains(b->geometry())) << b->objectName().toStdString();
}

TEST_F(FrmMainTest, StatusBarHasTwoPanelsSizedLikeViewAndPanel) {
  EXPECT_EQ(window->sbrStatus()->PanelCount(), 2);
  EXPECT_EQ(window->sbrStatus()->PanelWidth(1), window->picView()->width());
  EXPECT_EQ(window->sbrStatus()->PanelWidth(2), window->picToolBox()->width());
  // No icon file in the test's program folder: panel 2 goes without a picture.
  EXPECT_FALSE(window->sbrStatus()->PanelHasPicture(2));
}

TEST_F(FrmMainTest, TheColourMenuPopsUpButIsNotOnTheMenuBar) {
  // The six specified colours first, then a separator and the colour dialog's item.
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
  EXPECT_EQ(keys, QStringList({"Fin", "-", "Load", "Save", "-", "ViewTurn", "StopTurn", "-", "FrontView", "TopView",
                               "SideView", "BirdView"}));
}

}  // namespace
}  // namespace kubisto::app::test
