// frmMain: loading the window, its controls, menus, toolbar and the run-time layout.
#include "app/windows/frm_main.h"

#include <QAction>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QToolBar>
#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "app/editing/command_scope.h"
#include "app/editing/guarded.h"
#include "app/host/paths.h"
#include "app/windows/help_window.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/program_title.h"
#include "app/windows/resources.h"
#include "app/windows/status_bar.h"
#include "app/windows/tool_box.h"
#include "app/windows/window_placement.h"
#include "workroom/room_commands.h"

namespace kubisto::app {

namespace {

// Positions computed in fractional pixels are rounded to whole ones when they are applied.
int Px(double value) { return static_cast<int>(std::lround(value)); }

// A button that shows only a picture: screen readers announce it by its tooltip.
void NameIconButton(QWidget* button, const QString& tooltip) {
  button->setAccessibleName(tooltip);
  button->setAccessibleDescription(tooltip);
}

}  // namespace

frmMain::frmMain(QWidget* parent) : QMainWindow(parent) {
  setObjectName("frmMain");
  CreateControls();
  try {
    InitfrmMain();
  } catch (const std::exception& error) {
    services().MessageBox(std::string("modMain: InitfrmMain > ") + error.what(), vbOKOnly, "");
    services().EndProgram();
  }
  InitControls();
}

frmMain::~frmMain() = default;

// --- Controls as designed ---

void frmMain::CreateControls() {
  history_ = new EditHistory([] { return modMain::g_objWorkRoom.get(); }, this);
  connect(history_, &EditHistory::restored, this, &frmMain::OnRoomRestored);
  AskBeforeSessionEnds(
      this, [this] { return HasUnsavedWork(); }, [this] { return MayDiscardChanges(); },
      [this] { exitApproved_ = true; });
  setWindowIcon(WindowIcon());
  // A frame with a title bar, the close box and the boxes to minimise and maximise: the window
  // grows, never below its designed size.
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                 Qt::WindowCloseButtonHint);
  // The menu bar stays in the window, so that the client area below it keeps its size.
  menuBar()->setNativeMenuBar(false);
  client_ = new QWidget(this);
  client_->setObjectName("client");
  setCentralWidget(client_);
  client_->installEventFilter(this);

  m_picView = new PictureView(client_);
  m_picView->setAccessibleName(tr("積み木の部屋"));
  m_picView->SetMouseDownHandler(
      [this](int button, int shift, float x, float y) { picView_MouseDown(button, shift, x, y); });
  m_picView->SetResizedHandler([] {
    if (WorkRoomApi* room = modMain::g_objWorkRoom.get()) Quietly([room] { room->Redraw(); });
  });
  m_picToolBox = new ToolBox(client_);
  m_picToolBox->SetPicture(ProgramPicture("toolbox.png"));
  m_sbrStatus = new StatusBar(client_);

  m_tmrTickTimer = new QTimer(this);
  m_tmrTickTimer->setObjectName("tmrTickTimer");
  connect(m_tmrTickTimer, &QTimer::timeout, this, &frmMain::tmrTickTimer_Timer);
  m_tmrWatchMan = new QTimer(this);
  m_tmrWatchMan->setObjectName("tmrWatchMan");
  connect(m_tmrWatchMan, &QTimer::timeout, this, &frmMain::tmrWatchMan_Timer);

  CreateToolBar();
  CreateToolBoxButtons();
  CreateMenus();
  CreateBlockKeys();

  // Tab order of the view, the panel and its buttons.
  QWidget* order[] = {m_picView,           m_picToolBox,      button("cmdX"),  button("cmdMX"),
                      button("cmdY"),      button("cmdZ"),    button("cmdMZ"), button("cmdAdd"),
                      button("cmdDelete"), button("cmdDown"), button("cmdUp"), button("cmdLeft"),
                      button("cmdRight"),  button("cmdMY")};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
}

void frmMain::CreateToolBar() {
  m_tlbToolBar = new QToolBar(client_);
  m_tlbToolBar->setObjectName("tlbToolBar");
  m_tlbToolBar->setIconSize(QSize(16, 16));
  m_tlbToolBar->setMovable(false);
  m_tlbToolBar->setFloatable(false);
  m_tlbToolBar->setToolButtonStyle(Qt::ToolButtonIconOnly);

  for (const ToolBarEntry& entry : ToolBarEntries()) {
    if (entry.key == nullptr) {
      m_tlbToolBar->addSeparator();
      continue;
    }
    QAction* item = m_tlbToolBar->addAction(ProgramIcon(entry.picture), QString());
    item->setObjectName(QStringLiteral("tlbToolBar_") + entry.key);
    item->setData(QString::fromLatin1(entry.key));
    const QString tip = tr(entry.tooltip);
    item->setToolTip(tip);
    if (QWidget* widget = m_tlbToolBar->widgetForAction(item)) NameIconButton(widget, tip);
  }
  connect(m_tlbToolBar, &QToolBar::actionTriggered, this,
          [this](QAction* item) { tlbToolBar_ButtonClick(item->data().toString()); });
}

QPushButton* frmMain::CreateButton(const QString& name, const QString& picture,
                                   const QString& tooltip, int width, int height,
                                   void (frmMain::*command)()) {
  auto* cmd = new QPushButton(m_picToolBox);
  cmd->setObjectName(name);
  cmd->setToolTip(tooltip);
  NameIconButton(cmd, tooltip);
  cmd->setIcon(ProgramIcon(picture));
  // The 32 x 32 picture at its own size, centred: where the button is smaller, its edges are
  // clipped (the artwork keeps what matters inside the part a button shows).
  cmd->setIconSize(QSize(32, 32));
  cmd->setFixedSize(width, height);
  cmd->setAutoDefault(false);
  // The button is disabled for the length of its call, so that a second click is not taken
  // while the workroom plays its sounds and redraws.
  connect(cmd, &QPushButton::clicked, this, [this, cmd, command] {
    cmd->setEnabled(false);
    Guarded([this, command] { (this->*command)(); });
    cmd->setEnabled(true);
  });
  return cmd;
}

void frmMain::CreateToolBoxButtons() {
  CreateButton("cmdAdd", "btn_add.png", tr("ひとつブロックをふやします"), 49, 41,
               &frmMain::cmdAdd_Click);
  CreateButton("cmdDelete", "btn_delete.png", tr("選択中のブロックを消します"), 49, 41,
               &frmMain::cmdDelete_Click);
  CreateButton("cmdX", "btn_x.png", tr("東に動かします"), 33, 25, &frmMain::cmdX_Click);
  CreateButton("cmdMX", "btn_mx.png", tr("西に動かします"), 33, 25, &frmMain::cmdMX_Click);
  CreateButton("cmdY", "btn_y.png", tr("上に動かします"), 33, 25, &frmMain::cmdY_Click);
  CreateButton("cmdMY", "btn_my.png", tr("下に動かします"), 33, 25, &frmMain::cmdMY_Click);
  CreateButton("cmdZ", "btn_z.png", tr("北に動かします"), 33, 25, &frmMain::cmdZ_Click);
  CreateButton("cmdMZ", "btn_mz.png", tr("南に動かします"), 33, 25, &frmMain::cmdMZ_Click);
  CreateButton("cmdUp", "btn_up.png", tr("上から見下ろします"), 33, 41, &frmMain::cmdUp_Click);
  CreateButton("cmdDown", "btn_down.png", tr("下から見上げます"), 33, 41, &frmMain::cmdDown_Click);
  CreateButton("cmdLeft", "btn_left.png", tr("左に回ります"), 41, 33, &frmMain::cmdLeft_Click);
  CreateButton("cmdRight", "btn_right.png", tr("右に回ります"), 41, 33, &frmMain::cmdRight_Click);
}

void frmMain::CreateMenus() {
  auto item = [this](QMenu* menu, const char* name, const QString& caption, auto handler) {
    QAction* entry = menu->addAction(caption);
    entry->setObjectName(name);
    connect(entry, &QAction::triggered, this,
            [this, handler] { Guarded([this, handler] { handler(this); }); });
    return entry;
  };
  auto separator = [](QMenu* menu, const char* name) { menu->addSeparator()->setObjectName(name); };

  // Every menu has its key with Alt; the usual keys of the desktop stand beside the items.
  QMenu* mnuFile = menuBar()->addMenu(tr("ファイル(&F)"));
  mnuFile->setObjectName("mnuFile");
  item(mnuFile, "mnuFileNew", tr("新規作成"), [](frmMain* w) {
    w->mnuFileNew_Click();
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_N));
  separator(mnuFile, "mnuFileHifun1");
  item(mnuFile, "mnuFileLoad", tr("読み込み"), [](frmMain* w) { w->LoadLayout(); });
  item(mnuFile, "mnuFileSave", tr("保存"), [](frmMain* w) { w->SaveLayout(); });
  CreateFileDialogItems(mnuFile);
  separator(mnuFile, "mnuFileHifun2");
  item(mnuFile, "mnuFileFin", tr("終了"), [](frmMain* w) {
    w->RequestExit();
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));

  QMenu* mnuEdit = menuBar()->addMenu(tr("編集(&E)"));
  mnuEdit->setObjectName("mnuEdit");
  CreateUndoItems(mnuEdit);
  item(mnuEdit, "mnuEditCopy", tr("画面をクリップボードにコピー"), [](frmMain* w) {
    w->mnuEditCopy_Click();
  })->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));

  QMenu* mnuView = menuBar()->addMenu(tr("表示(&V)"));
  mnuView->setObjectName("mnuView");
  item(mnuView, "mnuViewTurn", tr("回転（回転方向変更）"),
       [](frmMain* w) { w->mnuViewTurn_Click(); });
  item(mnuView, "mnuViewTurnStop", tr("回転停止"), [](frmMain* w) { w->mnuViewTurnStop_Click(); });
  separator(mnuView, "mnuViewHifun1");
  item(mnuView, "mnuViewFront", tr("正面から"), [](frmMain* w) { w->mnuViewFront_Click(); });
  item(mnuView, "mnuViewTop", tr("上から"), [](frmMain* w) { w->mnuViewTop_Click(); });
  item(mnuView, "mnuViewSide", tr("右側面から"), [](frmMain* w) { w->mnuViewSide_Click(); });
  item(mnuView, "mnuViewBird", tr("ななめうえから"), [](frmMain* w) { w->mnuViewBird_Click(); });

  QMenu* mnuOption = menuBar()->addMenu(tr("オプション(&O)"));
  mnuOption->setObjectName("mnuOption");
  QMenu* mnuOptionDivide = mnuOption->addMenu(tr("辺の分割数"));
  mnuOptionDivide->setObjectName("mnuOptionDivide");
  CreateDivideItems(mnuOptionDivide);
  CreateSoundItem(mnuOption);

  QMenu* mnuHelp = menuBar()->addMenu(tr("ヘルプ(&H)"));
  mnuHelp->setObjectName("mnuHelp");
  item(mnuHelp, "mnuHelpHelp", tr("Kubisto!!のヘルプ"), [](frmMain* w) {
    modMain::ShowHelpFor(w);
  })->setShortcut(QKeySequence(Qt::Key_F1));
  item(mnuHelp, "mnuHelpVersion", tr("バージョン情報"),
       [](frmMain* w) { w->mnuHelpVersion_Click(); });

  CreateColourMenu();
}

void frmMain::CreateColourMenu() {
  // The colour menu is not on the menu bar: it pops up over the view.
  m_mnuPopupColor = new QMenu(tr("色の変更"), this);
  m_mnuPopupColor->setObjectName("mnuPopupColor");
  const auto item = [this](const char* name, const QString& caption, auto handler) {
    QAction* entry = m_mnuPopupColor->addAction(caption);
    entry->setObjectName(name);
    connect(entry, &QAction::triggered, this,
            [this, handler] { Guarded([this, handler] { handler(this); }); });
  };
  struct Colour {
    const char* name;
    const char* caption;
    const char* colour;  // its name in the room's commands
  };
  static const Colour kColours[] = {
      {"mnuPopupColorRed", QT_TR_NOOP("赤"), "red"},
      {"mnuPopupColorBlue", QT_TR_NOOP("青"), "blue"},
      {"mnuPopupColorYellow", QT_TR_NOOP("黄"), "yellow"},
      {"mnuPopupColorGreen", QT_TR_NOOP("緑"), "green"},
      {"mnuPopupColorMagenta", QT_TR_NOOP("マゼンタ"), "magenta"},
      {"mnuPopupColorCyan", QT_TR_NOOP("シアン"), "cyan"},
  };
  for (const Colour& colour : kColours) {
    const std::int32_t value = commands::ColourFromName(colour.colour);
    item(colour.name, tr(colour.caption), [value](frmMain* w) { w->RecolourCurrentBlock(value); });
  }
  m_mnuPopupColor->addSeparator()->setObjectName("mnuPopupColorHifun1");
  item("mnuPopupColorOther", tr("その他の色…"), [](frmMain* w) { w->mnuPopupColorOther_Click(); });
}

QPushButton* frmMain::button(const QString& name) const {
  return m_picToolBox->findChild<QPushButton*>(name, Qt::FindDirectChildrenOnly);
}

QAction* frmMain::action(const QString& name) const { return findChild<QAction*>(name); }

// --- Loading: size, place and caption; then the run-time layout ---

void frmMain::InitfrmMain() {
  // The client area (below the menu bar) is exactly 600 x 400 pixels at first; the window may
  // grow, never below that.
  client_->setMinimumSize(kClientWidth, kClientHeight);
  client_->resize(kClientWidth, kClientHeight);
  FitToMenuBar(menuBar()->sizeHint().height());
  if (client_->width() != kClientWidth) throw std::runtime_error("client width");
  // A menu bar that turns taller later (another font, a wrapped line) makes the window taller,
  // never the client area smaller.
  menuBar()->installEventFilter(this);

  if (QGuiApplication::primaryScreen() == nullptr) throw std::runtime_error("no screen");
  // Where the user left it last time; at first centred with its frame, once the window system
  // has told the frame's size.
  if (!RestorePlacement(this, kPlacementKey)) CentreOnScreen(this);

  setWindowTitle(ProgramTitle());
}

void frmMain::FitToMenuBar(int menuHeight) {
  const QSize smallest(kClientWidth, std::max(0, menuHeight) + kClientHeight);
  const bool atSmallest = minimumSize().isEmpty() || size() == minimumSize();
  setMinimumSize(smallest);
  if (atSmallest) resize(smallest);
}

bool frmMain::eventFilter(QObject* watched, QEvent* event) {
  if (watched == menuBar() && event->type() == QEvent::Resize &&
      minimumHeight() != menuBar()->height() + kClientHeight) {
    FitToMenuBar(menuBar()->height());
  }
  if (watched == client_ && event->type() == QEvent::Resize) {
    Quietly([&] { LayOutControls(client_->size()); });
  }
  return QMainWindow::eventFilter(watched, event);
}

void frmMain::LayOutControls(QSize client) {
  const double m = kMargin;
  const double W = std::max(client.width(), kClientWidth);
  const double H = std::max(client.height(), kClientHeight);
  const int tH = m_tlbToolBar->sizeHint().height();
  const int sH = m_sbrStatus->sizeHint().height();
  // The designed shares of the designed width; the view takes every pixel beyond it, and the
  // panel keeps its designed size 2 pixels right of the view.
  const double viewWidth = (kClientWidth - 2 * m) * 0.7 + (W - kClientWidth);
  const double boxWidth = (kClientWidth - 2 * m) * 0.3;
  const double height = H - (tH + sH + m);
  const double boxHeight = kClientHeight - (tH + sH + m);

  Quietly([&] { m_tlbToolBar->setGeometry(0, 0, Px(W), tH); });
  Quietly([&] { m_sbrStatus->setGeometry(0, Px(H) - sH, Px(W), sH); });
  Quietly([&] { m_picView->Place(QRect(Px(m), Px(tH + m), Px(viewWidth), Px(height))); });
  Quietly([&] {
    m_picToolBox->setGeometry(Px(m + viewWidth + m), Px(tH + m), Px(boxWidth), Px(boxHeight));
  });
  Quietly([&] {
    if (m_sbrStatus->PanelCount() < 2) return;
    m_sbrStatus->SetPanelWidth(1, m_picView->width());
    m_sbrStatus->SetPanelWidth(2, m_picToolBox->width());
  });
}

void frmMain::InitControls() {
  // Each step runs even if an earlier one failed; a control that cannot be placed stays as it is.
  // The controls' places for the designed client area, before the window is shown.
  LayOutControls(QSize(kClientWidth, kClientHeight));

  Quietly([&] {
    m_sbrStatus->AddPanel();
    m_sbrStatus->SetPanelWidth(1, m_picView->width());
    m_sbrStatus->SetPanelWidth(2, m_picToolBox->width());
  });
  Quietly([&] {
    QPixmap icon(QString::fromStdString(NativePath(ProgramDir() + "\\icons\\squr_g.ico")));
    m_sbrStatus->SetPanelPicture(2, icon);
  });

  // The watch timer is started by the start sequence once the workroom is bound.
  Quietly([&] {
    m_tmrTickTimer->setInterval(20);
    m_tmrTickTimer->stop();
    m_tmrWatchMan->setInterval(10);
  });
  Quietly([&] { InitToolBoxControls(); });
  Quietly([&] {
    for (QAction* entry : m_mnuOptionDivideNum) entry->setChecked(false);
    m_mnuOptionDivideNum[2]->setChecked(true);
  });
}

void frmMain::InitToolBoxControls() {
  const double PW = m_picToolBox->width();
  const double PH = m_picToolBox->height();
  QPushButton* cmdAdd = button("cmdAdd");
  QPushButton* cmdDelete = button("cmdDelete");
  QPushButton* cmdX = button("cmdX");
  QPushButton* cmdMX = button("cmdMX");
  QPushButton* cmdY = button("cmdY");
  QPushButton* cmdMY = button("cmdMY");
  QPushButton* cmdZ = button("cmdZ");
  QPushButton* cmdMZ = button("cmdMZ");
  QPushButton* cmdUp = button("cmdUp");
  QPushButton* cmdDown = button("cmdDown");
  QPushButton* cmdLeft = button("cmdLeft");
  QPushButton* cmdRight = button("cmdRight");
  auto place = [](QPushButton* cmd, double left, double top) { cmd->move(Px(left), Px(top)); };

  const double hA = cmdAdd->height();
  const double wA = cmdAdd->width();
  const double hX = cmdX->height();
  const double wX = cmdX->width();
  const double hY = cmdY->height();
  const double hUp = cmdUp->height();
  const double wUp = cmdUp->width();
  const double wLeft = cmdLeft->width();
  const double hLeft = cmdLeft->height();

  const double g = (PH - (3 * hX + hA + 2 * hUp)) / 4;

  const double addLeft = (PW - (wA + cmdDelete->width())) / 2;
  place(cmdAdd, addLeft, g);
  place(cmdDelete, addLeft + wA, g);

  const double xLeft = (PW - 2 * wX) / 2;
  const double mxLeft = xLeft + wX;
  const double xTop = 2 * g + hA;
  const double yTop = xTop + hX;
  const double zTop = yTop + hY;
  place(cmdX, xLeft, xTop);
  place(cmdMX, mxLeft, xTop);
  place(cmdY, xLeft, yTop);
  place(cmdMY, mxLeft, yTop);
  place(cmdZ, xLeft, zTop);
  place(cmdMZ, mxLeft, zTop);

  const double upLeft = (PW - wUp) / 2;
  const double upTop = xTop + 3 * hX + g;
  place(cmdUp, upLeft, upTop);
  place(cmdDown, upLeft, upTop + hUp);
  place(cmdLeft, upLeft - wLeft, upTop + hUp - hLeft / 2);
  place(cmdRight, upLeft + wUp, upTop + hUp - hLeft / 2);
}

// --- Unloading ---

void frmMain::Unload() {
  if (m_bUnloading) return;
  m_bUnloading = true;
  m_tmrTickTimer->stop();
  m_tmrWatchMan->stop();
  // The next start opens the window where the user leaves it now.
  if (isVisible()) Quietly([this] { RememberPlacement(this, kPlacementKey); });
  if (auto* help = findChild<HelpWindow*>("helpWindow", Qt::FindDirectChildrenOnly)) help->close();
  close();
  deleteLater();
}

void frmMain::closeEvent(QCloseEvent* event) {
  // The user may keep unsaved work by cancelling the question; an unload under way always goes on
  // (a signal may have begun one while the question was open).
  const bool keep = !m_bUnloading && !exitApproved_ && !MayDiscardChanges();
  if (keep && !m_bUnloading) {
    event->ignore();
    return;
  }
  // Any other request to close the window ends the program. While a command runs the end waits
  // for it, and the window stays until then.
  modMain::FinKubisto();
  if (EndPending() && !m_bUnloading)
    event->ignore();
  else
    event->accept();
}

}  // namespace kubisto::app
