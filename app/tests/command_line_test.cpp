// The command line as a user types it: what ends the program at once (help, version, mistakes)
// and what a started program takes (a layout, a language); and where an installed program looks
// for its files.
#include "app/host/command_line.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <cstdio>
#include <optional>
#include <string>

#include "app/host/paths.h"

namespace kubisto::app {
namespace {

// One parse of the arguments after the program's name, with what it printed.
struct Parsed {
  std::optional<int> status;
  std::string out, err;
  StartOptions options;
};

std::string ReadAll(std::FILE* file) {
  std::rewind(file);
  std::string text;
  char buffer[512];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, n);
  std::fclose(file);
  return text;
}

Parsed Parse(const QStringList& arguments) {
  QCommandLineParser parser;
  SetUpCommandLine(parser);
  std::FILE* out = std::tmpfile();
  std::FILE* err = std::tmpfile();
  Parsed parsed;
  parsed.status = ParseCommandLine(parser, QStringList{"kubisto"} + arguments, out, err);
  if (!parsed.status) parsed.options = StartOptionsFrom(parser);
  parsed.out = ReadAll(out);
  parsed.err = ReadAll(err);
  return parsed;
}

TEST(CommandLine, HelpAndVersionPrintAndEndWithStatusZero) {
  for (const char* option : {"--help", "-h"}) {
    const Parsed parsed = Parse({option});
    EXPECT_EQ(parsed.status, 0) << option;
    EXPECT_NE(parsed.out.find("Usage: kubisto [options] [FILE]"), std::string::npos) << parsed.out;
    EXPECT_NE(parsed.out.find("--lang"), std::string::npos);
    // The file opened at start may be a layout or a voxel model, and the export lists .vox.
    EXPECT_NE(parsed.out.find("(.kbs) or a voxel model (.vox)"), std::string::npos);
    EXPECT_NE(parsed.out.find(".x .vox"), std::string::npos);
    EXPECT_EQ(parsed.err, "");
  }
  for (const char* option : {"--version", "-v"}) {
    const Parsed parsed = Parse({option});
    EXPECT_EQ(parsed.status, 0);
    EXPECT_EQ(parsed.out, "kubisto " + ProgramVersion().toStdString() + "\n");
  }
  // Help wins over a file or a language given with it: nothing starts.
  EXPECT_EQ(Parse({"room.kbs", "--lang", "en", "--help"}).status, 0);
}

TEST(CommandLine, MistakesGiveOneLineAndStatusTwo) {
  const QStringList mistakes[] = {{"--no-such-option"}, {"-x"},        {"--lang"},
                                  {"--lang", "fr"},     {"--lang=JA"}, {"a.kbs", "b.kbs"},
                                  {"--version=3"}};
  for (const QStringList& arguments : mistakes) {
    const Parsed parsed = Parse(arguments);
    const std::string shown = arguments.join(' ').toStdString();
    EXPECT_EQ(parsed.status, 2) << shown;
    EXPECT_EQ(parsed.out, "") << shown;
    ASSERT_FALSE(parsed.err.empty()) << shown;
    EXPECT_EQ(parsed.err.rfind("kubisto: ", 0), 0u) << parsed.err;
    EXPECT_EQ(parsed.err.find('\n'), parsed.err.size() - 1) << "one line: " << parsed.err;
  }
  EXPECT_NE(Parse({"--bogus"}).err.find("bogus"), std::string::npos);
}

TEST(CommandLine, AStartTakesTheLayoutFromTheStartingFolderAndTheLanguage) {
  const Parsed none = Parse({});
  EXPECT_FALSE(none.status);
  EXPECT_TRUE(none.options.layoutFile.isEmpty());
  EXPECT_TRUE(none.options.language.isEmpty());

  QTemporaryDir folder;
  const QString before = QDir::currentPath();
  QDir::setCurrent(folder.path());
  const Parsed relative = Parse({"sub/../room one.KBS", "--lang", "ja"});
  const Parsed absolute = Parse({"--lang=en", "/tmp/x/room.kbs"});
  QDir::setCurrent(before);

  EXPECT_FALSE(relative.status);
  // The file is taken from where the user started the program, before it changes folder.
  EXPECT_EQ(relative.options.layoutFile, QDir(folder.path()).canonicalPath() + "/room one.KBS");
  EXPECT_EQ(relative.options.language, "ja");
  EXPECT_EQ(absolute.options.layoutFile, "/tmp/x/room.kbs");
  EXPECT_EQ(absolute.options.language, "en");
  // A missing file is not the command line's business: the load reports it like any other.
  EXPECT_EQ(Parse({"--", "-odd name.kbs"}).options.layoutFile,
            QDir::currentPath() + "/-odd name.kbs");
}

TEST(ProgramFolders, AnInstalledProgramFindsItsSharedFolderBesideItsOwn) {
  QTemporaryDir prefix;
  const QString root = QDir(prefix.path()).canonicalPath();
  QDir(root).mkpath("usr/bin");
  QDir(root).mkpath("build/bin");
  EXPECT_EQ(InstalledShareDir((root + "/usr/bin").toStdString()), "");
  QDir(root).mkpath("usr/share/kubisto/walls");
  EXPECT_EQ(InstalledShareDir((root + "/usr/bin").toStdString()),
            (root + "/usr/share/kubisto").toStdString());
  // A build folder has no shared folder: its files lie beside the program.
  EXPECT_EQ(InstalledShareDir((root + "/build/bin").toStdString()), "");
}

TEST(ProgramFolders, TheBuildFolderKeepsLayoutsBesideTheProgram) {
  // The tests run from the build folder, as the program does there.
  ASSERT_FALSE(RunsInstalled());
  EXPECT_EQ(DataDir(), ProgramDir() + "\\data");
  SetProgramDir("/opt/k");
  EXPECT_EQ(DataDir(), "/opt/k\\data");
  SetProgramDir("");
}

}  // namespace
}  // namespace kubisto::app
