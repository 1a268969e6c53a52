#include "app/host/command_line.h"

#include <QDir>
#include <QFileInfo>

#include "cli/headless_verbs.h"

#ifndef KUBISTO_VERSION
#define KUBISTO_VERSION "0.0"
#endif

namespace kubisto::app {

namespace {

const char* const kProgramName = "kubisto";

void Print(std::FILE* stream, const QString& text) {
  std::fputs(text.toLocal8Bit().constData(), stream);
  std::fflush(stream);
}

// One line on err, exit status 2.
int Refuse(std::FILE* err, const QString& reason) {
  Print(err, QStringLiteral("%1: %2 (see %1 --help)\n").arg(kProgramName, reason));
  return 2;
}

}  // namespace

QStringList ArgumentsFromArgv(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return arguments;
}

void SetUpCommandLine(QCommandLineParser& parser) {
  parser.setApplicationDescription(
      QStringLiteral("Kubisto: build with coloured blocks in a 3D room."));
  // Not the parser's own help option, whose --help-all lists Qt's options: this command line does
  // not take them.
  parser.addOption(QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                                      QStringLiteral("Shows this help and exits.")));
  parser.addOption(QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                                      QStringLiteral("Shows the version and exits.")));
  parser.addOption(QCommandLineOption(
      QStringLiteral("lang"), QStringLiteral("The language of the program's text: ja or en."),
      QStringLiteral("ja|en")));
  parser.addOption(QCommandLineOption(
      QStringLiteral("no-script-server"),
      QStringLiteral("Lets no script drive the open window (no local socket is opened).")));
  kubisto::cli::AddHeadlessOptions(parser);
  parser.addPositionalArgument(
      QStringLiteral("FILE"),
      QStringLiteral(
          "A layout (.kbs) or a voxel model (.vox) to load once the program has started."),
      QStringLiteral("[FILE]"));
}

std::optional<int> ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    std::FILE* out, std::FILE* err) {
  if (!parser.parse(arguments)) return Refuse(err, parser.errorText());
  if (parser.isSet(QStringLiteral("help"))) {
    // The usage line names the program as a user calls it, whatever the parser knows of it (it
    // knows nothing without an application object).
    QString text = parser.helpText();
    const QString usage = QStringLiteral("Usage: ");
    if (text.startsWith(usage))
      text.replace(usage.size(), text.indexOf(u' ', usage.size()) - usage.size(),
                   QString::fromLatin1(kProgramName));
    Print(out, text);
    return 0;
  }
  if (parser.isSet(QStringLiteral("version"))) {
    Print(out, QStringLiteral("%1 %2\n").arg(kProgramName, ProgramVersion()));
    return 0;
  }
  if (parser.isSet(QStringLiteral("lang"))) {
    const QString language = parser.value(QStringLiteral("lang"));
    if (language != QStringLiteral("ja") && language != QStringLiteral("en"))
      return Refuse(err, QStringLiteral("--lang takes ja or en, not '%1'.").arg(language));
  }
  if (parser.positionalArguments().size() > 1)
    return Refuse(err, QStringLiteral("one layout file at most, not %1.")
                           .arg(parser.positionalArguments().size()));
  return std::nullopt;
}

StartOptions StartOptionsFrom(const QCommandLineParser& parser) {
  StartOptions options;
  if (!parser.positionalArguments().isEmpty()) {
    const QString file = parser.positionalArguments().constFirst();
    // Taken from the starting folder now: an installed program changes its working folder.
    options.layoutFile =
        file.isEmpty() ? file : QDir::cleanPath(QFileInfo(file).absoluteFilePath());
  }
  if (parser.isSet(QStringLiteral("lang"))) options.language = parser.value(QStringLiteral("lang"));
  options.scriptServer = !parser.isSet(QStringLiteral("no-script-server"));
  return options;
}

QString ProgramVersion() { return QStringLiteral(KUBISTO_VERSION); }

}  // namespace kubisto::app
