// The program kubisto: the command line, the Qt application, the host services, then the start
// sequence.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>
#include <exception>

#include "app/host/command_line.h"
#include "app/host/end_signals.h"
#include "app/host/language.h"
#include "app/host/paths.h"
#include "app/host/qt_services.h"
#include "app/scripting/script_server.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/status_bar.h"
#include "cli/headless_verbs.h"
#include "scene/services.h"

namespace {

// The name of the installed desktop file, without ".desktop"; desktops match windows to it.
const char* const kDesktopFileName = "io.github.kubisto.kubisto";

}  // namespace

int main(int argc, char** argv) {
  // Read before any QGuiApplication exists: what answers here needs no display.
  QCommandLineParser parser;
  kubisto::app::SetUpCommandLine(parser);
  if (const std::optional<int> status = kubisto::app::ParseCommandLine(
          parser, kubisto::app::ArgumentsFromArgv(argc, argv), stdout, stderr))
    return *status;
  // Options that run without a display are dispatched here, before the application object.
  if (const std::optional<int> status =
          kubisto::cli::RunHeadlessVerb(parser, kubisto::app::ProgramDir()))
    return *status;
  const kubisto::app::StartOptions options = kubisto::app::StartOptionsFrom(parser);

  QApplication application(argc, argv);
  // The lower-case name makes the per-user folder ~/.local/share/kubisto.
  QApplication::setApplicationName("kubisto");
  QApplication::setApplicationVersion(kubisto::app::ProgramVersion());
  QGuiApplication::setDesktopFileName(kDesktopFileName);
  // Before the first window or message.
  kubisto::app::InstallLanguageFor(options.language);
  kubisto::app::SetUpInstalledFolders();
  kubisto::app::InstallQtServices();
  // SIGTERM, SIGINT, SIGHUP and a quit from the platform (the desktop session ending) end the
  // program through FinKubisto like the exit command.
  kubisto::app::InstallEndSignals(&application, [] { kubisto::app::modMain::FinKubisto(); });
  QObject::connect(&application, &QCoreApplication::aboutToQuit,
                   [] { kubisto::app::modMain::FinKubisto(); });

  try {
    kubisto::app::modMain::Main();
  } catch (const std::exception& error) {
    // A failure that reaches the start sequence (for example a missing libvantrel.so) ends the
    // program with its description.
    kubisto::services().MessageBox(error.what(), kubisto::vbOKOnly | kubisto::vbCritical, "");
    return 1;
  }
  kubisto::app::frmMain* window = kubisto::app::modMain::MainWindow();
  if (window == nullptr) return 0;
  // The program ends when the main window is unloaded (FinKubisto).
  QObject::connect(window, &QObject::destroyed, &application, &QCoreApplication::quit);
  if (!options.layoutFile.isEmpty()) {
    // Once the event loop runs, as if the user had chosen the file in the file window.
    const std::string file = options.layoutFile.toStdString();
    QTimer::singleShot(0, window, [window, file] { window->OpenLayout(file); });
  }
  // Scripts drive the open window through the script server, unless told not to.
  if (options.scriptServer) {
    auto* server = new kubisto::app::ScriptServer(window);
    if (!server->Listen()) {
      std::fprintf(stderr, "kubisto: no script server: %s\n",
                   server->ErrorText().toLocal8Bit().constData());
      window->sbrStatus()->SetPanelText(1, kubisto::app::ScriptServer::UnavailableNote());
    }
  }
  return application.exec();
}
