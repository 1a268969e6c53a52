// The program kubisto: the Qt application, the host services, then the start sequence.
#include <QApplication>
#include <QCommandLineParser>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <exception>

#include "app/end_signals.h"
#include "app/frm_main.h"
#include "app/mod_main.h"
#include "app/qt_services.h"
#include "app/screenshot.h"
#include "app/script_server.h"
#include "cli/headless_verbs.h"
#include "scene/services.h"

int main(int argc, char** argv) {
  // The headless verbs run without a display: before any Qt application exists.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  if (kubisto::cli::AsksForHeadlessVerb(arguments)) {
    QCommandLineParser parser;
    kubisto::cli::AddHeadlessOptions(parser);
    parser.addPositionalArgument("FILE", "The layout file (.kbs).");
    if (!parser.parse(arguments)) {
      std::fprintf(stderr, "kubisto: %s\n", parser.errorText().toLocal8Bit().constData());
      return 2;
    }
    return kubisto::cli::RunHeadlessVerb(parser).value_or(0);
  }

  QApplication application(argc, argv);
  QApplication::setApplicationName("Kubisto");
  kubisto::app::InstallQtServices();
  // SIGTERM, SIGINT, SIGHUP and a quit from the platform (the desktop session ending) end the
  // program through FinKubisto like the exit command.
  kubisto::app::InstallEndSignals(&application, [] { kubisto::app::modMain::FinKubisto(); });
  QObject::connect(&application, &QCoreApplication::aboutToQuit, [] { kubisto::app::modMain::FinKubisto(); });

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
  kubisto::app::ScheduleScreenshotFromEnvironment(window);
  // Scripts drive the open window through the script server, unless told not to.
  if (!arguments.contains(QStringLiteral("--no-script-server"))) {
    auto* server = new kubisto::app::ScriptServer(window);
    if (!server->Listen())
      std::fprintf(stderr, "kubisto: no script server: %s\n", server->ErrorText().toLocal8Bit().constData());
  }
  return application.exec();
}
