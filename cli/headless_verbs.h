// The command line's headless verbs: --render and --export, with their options. They run before
// any Qt application exists and need no display, no window system and no sound.
#pragma once

#include <QCommandLineParser>
#include <QStringList>
#include <optional>

namespace kubisto::cli {

// Adds --render, --export, --view, --turn, --size and --cell-size to the parser.
void AddHeadlessOptions(QCommandLineParser& parser);

// True when the arguments (argv[0] first) ask for a headless verb.
bool AsksForHeadlessVerb(const QStringList& arguments);

// Runs the verb the parsed command line asks for and returns the exit code, or nullopt when it
// asks for none. The layout is the first positional argument. Errors go to standard error as
// "kubisto: ...".
std::optional<int> RunHeadlessVerb(const QCommandLineParser& parser);

}  // namespace kubisto::cli
