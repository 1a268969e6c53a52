// The program's command line, read before any QGuiApplication exists, so that --help, --version
// and wrong arguments answer without a display, a window or a sound.
//
// main() sets a parser up with SetUpCommandLine, reads the arguments with ParseCommandLine, runs
// the options that need no display at once, and only then starts the window program with the
// StartOptions. A new option is added in SetUpCommandLine (or by a function it calls).
#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <cstdio>
#include <optional>

namespace kubisto::app {

// What a start of the window program takes from the command line.
struct StartOptions {
  QString layoutFile;        // the layout to load once started, absolute; empty for none
  QString language;          // "ja", "en", or empty for the system's
  bool scriptServer = true;  // scripts may drive the open window (off with --no-script-server)
};

// main's arguments as Qt takes them (argv[0] included).
QStringList ArgumentsFromArgv(int argc, char** argv);

// Adds every option and argument the program knows to the parser.
void SetUpCommandLine(QCommandLineParser& parser);

// Parses the arguments. Answers --help and --version on out (exit status 0), and a wrong option or
// argument with one line on err (status 2); returns that status. Returns nothing when the program
// goes on.
std::optional<int> ParseCommandLine(QCommandLineParser& parser, const QStringList& arguments,
                                    std::FILE* out, std::FILE* err);

// The window program's options from a parsed command line; a relative file is taken from the
// current folder.
StartOptions StartOptionsFrom(const QCommandLineParser& parser);

// The program's version, as --version prints it.
QString ProgramVersion();

}  // namespace kubisto::app
