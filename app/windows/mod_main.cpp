#include "app/windows/mod_main.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPointer>
#include <QTimer>
#include <QWindow>

#include "app/editing/command_scope.h"
#include "app/host/paths.h"
#include "app/scripting/api_code_module.h"
#include "app/windows/frm_main.h"
#include "app/windows/frm_splash.h"
#include "app/windows/pic_view.h"

namespace kubisto::app::modMain {

std::unique_ptr<WorkRoomApi> g_objWorkRoom;

namespace {

QPointer<frmMain> g_frmMain;
WorkRoomFactory g_factory;

void PlaySplashSound() { ApiCodeModule::PlayWave(ProgramDir() + "\\sound\\splash.wav", 1); }

void InitObjects() {
  g_objWorkRoom = g_factory ? g_factory() : CreateCWorkRoom();
  // The view is already sized: binding it initialises the engine on it, builds the room and
  // renders it once.
  g_objWorkRoom->SetHandleOfPictureBoxForD3dIO(g_frmMain->picView()->hWnd());
}

void TerminateObjects() { g_objWorkRoom.reset(); }

}  // namespace

frmMain* MainWindow() { return g_frmMain.data(); }

void SetWorkRoomFactory(WorkRoomFactory factory) { g_factory = std::move(factory); }

void Main() {
  // The start is one command: an end requested during it (a signal while the splash is painted,
  // a message box of the room's construction) is carried out once the start has finished.
  CommandScope starting;
  auto* splash = new frmSplash();
  splash->SetMode("SPLASH");
  splash->show();
  // Paint the splash before the sound blocks the thread: on a real display the window can be
  // painted only once the window system has put it on the screen.
  QElapsedTimer waited;
  waited.start();
  while (!(splash->windowHandle() && splash->windowHandle()->isExposed()) && waited.elapsed() < 500)
    QApplication::processEvents(QEventLoop::AllEvents, 20);
  splash->repaint();
  QApplication::processEvents();

  PlaySplashSound();

  g_frmMain = new frmMain();
  InitObjects();
  // Started only now, so that its first tick finds the workroom bound.
  g_frmMain->tmrWatchMan()->start();
  g_frmMain->show();

  splash->close();
  delete splash;
}

void FinKubisto() {
  // A running command may use the workroom (a load lets events run after each record): the end
  // waits until the outermost command has returned.
  if (CommandDepth() > 0) {
    DeferEnd();
    return;
  }
  TerminateObjects();
  // A close request arriving while the window is already being unloaded only repeats the
  // release above.
  if (g_frmMain && !g_frmMain->Unloading()) g_frmMain->Unload();
}

void ShowHelpFor(QWidget* owner) { ApiCodeModule::ShowHelp(owner); }

}  // namespace kubisto::app::modMain
