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

TEST_F(FrmMainTest, ButtonsCarryTheirTooltips) {
  const std::pair<const char*, const char*> tips[] = {
      {"cmdAdd", "ひとつブロックをふやします"}, {"cmdDelete", "選択中のブロックを消します"},
      {"cmdX", "東に動かします"},           {"cmdMX", "西に動かします"},
      {"cmdY", "上に動かします"},           {"cmdMY", "下に動かします"},
      {"cmdZ", "北に動かします"},           {"cmdMZ", "南に動かします"},
      {"cmdUp", "上から見下ろします"},       {"cmdDown", "下から見上げます"},
      {"cmdLeft", "左に回ります"},           {"cmdRight", "右に回ります"},
  };
  for (const auto& [name, tip] : tips) {
    ASSERT_NE(window->button(name), nullptr) << name;
    EXPECT_EQ(window->button(name)->toolTip(), QString::fromUtf8(tip)) << name;
  }
}

TEST_F(FrmMainTest, StatusBarHasTwoPanelsSizedLikeViewAndPanel) {
  EXPECT_EQ(window->sbrStatus()->PanelCount(), 2);
  EXPECT_EQ(window->sbrStatus()->PanelWidth(1), window->picView()->width());
  EXPECT_EQ(window->sbrStatus()->PanelWidth(2), window->picToolBox()->width());
  // No icon file in the test's program folder: panel 2 goes without a picture.
  EXPECT_FALSE(window->sbrStatus()->PanelHasPicture(2));
}

TEST_F(FrmMainTest, MenusHaveTheirItemsInOrder) {
  QStringList titles;
  for (QAction* a : window->menuBar()->actions()) titles << a->text();
  EXPECT_EQ(titles, QStringList({"ファイル", "編集", "表示", "オプション", "ヘルプ"}));

  auto texts = [&](const char* menu) {
    QStringList out;
    for (QAction* a : window->findChild<QMenu*>(menu)->actions()) out << (a->isSeparator() ? "-" : a->text());
    return out;
  };
  EXPECT_EQ(texts("mnuFile"), QStringList({"新規作成", "-", "読み込み", "保存", "-", "終了"}));
  EXPECT_EQ(texts("mnuEdit"), QStringList({"画面をクリップボードにコピー"}));
  EXPECT_EQ(texts("mnuView"), QStringList({"回転（回転方向変更）", "回転停止", "-", "正面から", "上から",
                                          "右側面から", "ななめうえから"}));
  EXPECT_EQ(texts("mnuOption"), QStringList({"辺の分割数"}));
  EXPECT_EQ(texts("mnuOptionDivide"), QStringList({"3", "4", "5"}));
  EXPECT_EQ(texts("mnuHelp"), QStringList({"Kubisto!!のヘルプ", "バージョン情報"}));
  EXPECT_EQ(texts("mnuPopupColor"), QStringList({"赤", "青", "黄", "緑", "マゼンタ", "シアン"}));
  // The colour menu is not on the menu bar.
  for (QAction* a : window->menuBar()->actions()) EXPECT_NE(a->menu(), window->mnuPopupColor());
}

TEST_F(FrmMainTest, DivideMenuStartsWithFiveChecked) {
  EXPECT_FALSE(window->mnuOptionDivideNum(0)->isChecked());
  EXPECT_FALSE(window->mnuOptionDivideNum(1)->isChecked());
  EXPECT_TRUE(window->mnuOptionDivideNum(2)->isChecked());
}

TEST_F(FrmMainTest, ToolbarHasTwelveEntriesWithSeparatorsKeysAndTooltips) {
  const QList<QAction*> entries = window->tlbToolBar()->actions();
  ASSERT_EQ(entries.size(), 12);
  const char* keys[] = {"Fin", nullptr, "Load", "Save", nullptr, "ViewTurn", "StopTurn", nullptr,
                        "FrontView", "TopView", "SideView", "BirdView"};
  const char* tips[] = {"アプリケーションを終了します。", nullptr, "データを読み込みます。", "データを保存します。",
                        nullptr, "連続回転（回転方向変更）", "回転停止", nullptr, "正面から見たところ",
                        "上から見たところ", "右から見たところ", "ななめうえから見たところ"};
  for (int i = 0; i < 12; ++i) {
    SCOPED_TRACE(i);
    if (keys[i] == nullptr) {
      EXPECT_TRUE(entries[i]->isSeparator());
      continue;
    }
    EXPECT_EQ(entries[i]->data().toString(), QString::fromLatin1(keys[i]));
    EXPECT_EQ(entries[i]->toolTip(), QString::fromUtf8(tips[i]));
    EXPECT_TRUE(entries[i]->text().isEmpty());
  }
}

}  // namespace
}  // namespace kubisto::app::test
