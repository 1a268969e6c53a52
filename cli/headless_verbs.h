// The command line's headless verbs: --render and --export, with their options. They run before
// any Qt application exists and need no display, no window system and no sound.
#pragma once

#include <QCommandLineParser>
#include <optional>
#include <string>

namespace kubisto::cli {

// Adds --render, --export, --view, --turn, --size, --frame and --cell-size to the parser.
void AddHeadlessOptions(QCommandLineParser& parser);

// Runs the verb the parsed command line asks for and returns the exit code, or nullopt when it
// asks for none. The layout is the one positional argument; the wall pictures are read from
// dataDir (the program's read-only files). Errors go to standard error as "kubisto: ...".
std::optional<int> RunHeadlessVerb(const QCommandLineParser& parser, const std::string& dataDir);

}  // namespace kubisto::cli
