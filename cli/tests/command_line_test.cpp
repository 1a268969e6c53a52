// The headless verbs as a user runs them, with no display and no Qt platform: pictures of the
// requested size, and every bad request answered with its message and exit code, leaving no
// output file behind and an existing one untouched.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QImage>
#include <csignal>
#include <cstdlib>
#include <functional>

#include "cli_test_support.h"

namespace kubisto::cli::test {
namespace {

class CommandLineTest : public ::testing::Test {
 protected:
  // Only the files the test made itself are left in the folder.
  void ExpectOnly(const std::vector<std::string>& names) { EXPECT_EQ(dir.Files(), names); }
  Scratch dir;
};

TEST_F(CommandLineTest, RendersAPictureOfTheViewSizeOrOfTheSizeAsked) {
  const std::string layout = dir.Layout("steps.kbs", 5, Steps());
  struct Case {
    std::vector<std::string> size;
    int width, height;
  } cases[] = {{{}, 417, 347},
               {{"--size", "256"}, 256, 213},  // the longer side, proportions kept
               {{"--size", "120x90"}, 120, 90},
               {{"--size=64"}, 64, 53}};
  for (const Case& c : cases) {
    std::vector<std::string> args = {"--render", dir.Path("view.png")};
    args.insert(args.end(), c.size.begin(), c.size.end());
    args.push_back(layout);
    const RunResult run = RunKubisto(args);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    const QImage picture(QString::fromStdString(dir.Path("view.png")));
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(picture.width(), c.width);
    EXPECT_EQ(picture.height(), c.height);
    // The room is drawn: not one flat colour.
    EXPECT_NE(picture.pixel(5, 5), picture.pixel(c.width / 2, c.height / 2));
  }
}

TEST_F(CommandLineTest, ABadLayoutNamesTheFileAndTheLine) {
  const std::string good = dir.Layout("good.kbs", 5, Steps());
  std::string bytes = FormatLayout(5, Steps());
  bytes.replace(bytes.find("1,0,4"), 5, "1,x,4");  // line 3
  const std::string bad = dir.Write("bad.kbs", bytes);
  const std::string cut = dir.Write("cut.kbs", "5\r\n0,0,0,255\r\n");
  const std::string wide = dir.Write("wide.kbs", "17\r\n-1,-1,-1,0\r\n\"t\"\r\n");
  struct Case {
    std::string layout, message;
  } cases[] = {
      {bad, bad + ": line 3: "},
      {cut, cut + ": line 3: the file ends"},  // after line 2, where the next record would be
      {wide, wide + ": line 1: "},
      {dir.Path("missing.kbs"), dir.Path("missing.kbs") + ": No such file or directory"},
  };
  for (const Case& c : cases) {
    for (const std::string verb : {"--render", "--export"}) {
      const std::string out = dir.Path(verb == "--render" ? "out.png" : "out.obj");
      const RunResult run = RunKubisto({verb, out, c.layout});
      EXPECT_EQ(run.exitCode, 1) << verb << " " << c.layout;
      EXPECT_EQ(run.err.rfind("kubisto: " + c.message, 0), 0u) << run.err;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
      EXPECT_FALSE(Exists(out));
    }
  }
  ExpectOnly({"bad.kbs", "cut.kbs", "good.kbs", "wide.kbs"});
}

TEST_F(CommandLineTest, AnUnknownKindOfOutputListsTheKnownOnes) {
  const std::string layout = dir.Layout("steps.kbs", 5, Steps());
  RunResult run = RunKubisto({"--export", dir.Path("model.fbx"), layout});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find(".obj .ply .stl .gltf .glb .3mf .x .vox"), std::string::npos) << run.err;
  run = RunKubisto({"--render", dir.Path("view.jpg"), layout});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find(".png"), std::string::npos) << run.err;
  // Checked before the layout is read.
  run = RunKubisto({"--export", dir.Path("model"), dir.Path("missing.kbs")});
  EXPECT_EQ(run.exitCode, 2) << run.err;
  ExpectOnly({"steps.kbs"});
}

TEST_F(CommandLineTest, BadOptionsAreUsageErrors) {
  const std::string layout = dir.Layout("steps.kbs", 5, Steps());
  const std::string png = dir.Path("view.png");
  const std::vector<std::vector<std::string>> cases = {
      {"--render", png, "--view", "under", layout},
      {"--render", png, "--turn", "left,spin", layout},
      {"--render", png, "--size", "0", layout},
      {"--render", png, "--size", "20x", layout},
      {"--render", png, "--size", "99999", layout},
      {"--export", dir.Path("m.obj"), "--cell-size", "-1", layout},
      {"--render", png},
      {"--render", png, layout, layout},
      {"--render", png, "--export", dir.Path("m.obj"), layout},
      {"--render", png, "--colour", "red", layout},
  };
  for (const auto& args : cases) {
    const RunResult run = RunKubisto(args);
    EXPECT_EQ(run.exitCode, 2) << args[2] << " " << run.err;
    EXPECT_EQ(run.err.rfind("kubisto: ", 0), 0u) << run.err;
  }
  ExpectOnly({"steps.kbs"});
}

TEST_F(CommandLineTest, AnOutputThatCannotBeWrittenIsNamedAndAnOldOneKept) {
  const std::string layout = dir.Layout("steps.kbs", 5, Steps());
  // A folder that does not exist.
  const std::string nowhere = dir.Path("no/such/folder/view.png");
  RunResult run = RunKubisto({"--render", nowhere, layout});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.err.find("cannot write " + nowhere), std::string::npos) << run.err;

  // An existing model survives a failed export over it.
  const std::string model = dir.Write("model.obj", "kept\n");
  run = RunKubisto({"--export", model, dir.Path("missing.kbs")});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(ReadFile(model), "kept\n");

  // A folder the program may not write into (root may write anywhere: then nothing to test).
  if (::geteuid() != 0) {
    const std::string locked = dir.Path("locked");
    ASSERT_EQ(::mkdir(locked.c_str(), 0500), 0);
    run = RunKubisto({"--export", locked + "/m.stl", layout});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_NE(run.err.find("cannot write " + locked + "/m.stl"), std::string::npos) << run.err;
  }
  // Nothing half-written is left: no staging folders either.
  for (const std::string& name : dir.Files())
    EXPECT_EQ(name.find(".kubisto-out"), std::string::npos);
}

TEST_F(CommandLineTest, AnExportEndedByASignalLeavesNoStagingFolder) {
  // A file size limit ends the program with SIGXFSZ while it writes the staged model.
  const std::string layout = dir.Layout("full.kbs", 16, FullRoom(16));
  const std::string command = "ulimit -c 0; ulimit -f 8; exec env -u DISPLAY '" +
                              std::string(KUBISTO_BIN_DIR) + "/kubisto' --export '" +
                              dir.Path("full.obj") + "' '" + layout + "' 2>/dev/null";
  const int status = std::system(command.c_str());
  ASSERT_TRUE(WIFSIGNALED(status)) << "status " << status;
  EXPECT_EQ(WTERMSIG(status), SIGXFSZ);
  ExpectOnly({"full.kbs"});
}

TEST_F(CommandLineTest, AnExportReplacesAnOldModelWithItsCompanionFiles) {
  const std::string layout = dir.Layout("steps.kbs", 5, Steps());
  dir.Write("model.gltf", "old");
  dir.Write("model.bin", "old");
  ASSERT_EQ(RunKubisto({"--export", dir.Path("model.gltf"), layout}).exitCode, 0);
  EXPECT_NE(ReadFile(dir.Path("model.gltf")).find("model.bin"), std::string::npos);
  EXPECT_GT(ReadFile(dir.Path("model.bin")).size(), 100u);
  ASSERT_EQ(RunKubisto({"--export", dir.Path("model.obj"), layout}).exitCode, 0);
  EXPECT_NE(ReadFile(dir.Path("model.obj")).find("mtllib model.mtl"), std::string::npos);
  ExpectOnly({"model.bin", "model.gltf", "model.mtl", "model.obj", "steps.kbs"});
}

TEST_F(CommandLineTest, HostileLayoutsEndWithOneShortLineAndNeverHang) {
  // A number of 40,000 digits (it once overflowed the stack), a FIFO with no writer (it once
  // waited for ever), an endless device and a folder.
  const std::string digits =
      dir.Write("digits.kbs", "5\r\n" + std::string(40000, '1') + ",1,1,1\r\n");
  const std::string fifo = dir.Path("pipe.kbs");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const std::string folder = dir.Path("folder.kbs");
  ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
  struct Case {
    std::string layout, message;
  } cases[] = {
      {digits, digits + ": line 2: x \"1111111111111111…\" (40000 bytes) is out of range"},
      {fifo, fifo + ": not a file"},
      {"/dev/zero", "/dev/zero: not a file"},
      {folder, folder + ": not a file"},
  };
  for (const Case& c : cases) {
    for (const std::string verb : {"--render", "--export"}) {
      const RunResult run =
          RunKubisto({verb, dir.Path(verb == "--render" ? "o.png" : "o.ply"), c.layout});
      EXPECT_EQ(run.exitCode, 1) << verb << " " << c.layout;
      EXPECT_EQ(run.err, "kubisto: " + c.message + "\n");
    }
  }
  // A layout over the size limit is refused before it is read.
  const std::string huge = dir.Path("huge.kbs");
  ASSERT_EQ(::truncate(dir.Write("huge.kbs", "5").c_str(), 17 << 20), 0);
  EXPECT_EQ(RunKubisto({"--render", dir.Path("o.png"), huge}).err,
            "kubisto: " + huge + ": too large to be a layout\n");
  ExpectOnly({"digits.kbs", "folder.kbs", "huge.kbs", "pipe.kbs"});
}

TEST_F(CommandLineTest, OutputsAreWrittenThroughLinksAndNeverOverSpecialFiles) {
  const std::string layout = dir.Layout("steps.kbs", 5, Steps());
  const std::string fifo = dir.Path("pipe.png");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  RunResult run = RunKubisto({"--render", fifo, layout});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_EQ(run.err, "kubisto: cannot write " + fifo + ": it is not a regular file\n");
  struct stat st {};
  ASSERT_EQ(::lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode));
  // A link to a model is written through and stays a link; its companion files go beside the
  // file it points to.
  ASSERT_EQ(::mkdir(dir.Path("real").c_str(), 0700), 0);
  ASSERT_EQ(::symlink("real/model.gltf", dir.Path("link.gltf").c_str()), 0);
  run = RunKubisto({"--export", dir.Path("link.gltf"), layout});
  ASSERT_EQ(run.exitCode, 0) << run.err;
  ASSERT_EQ(::lstat(dir.Path("link.gltf").c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
  EXPECT_NE(ReadFile(dir.Path("real/model.gltf")).find("model.bin"), std::string::npos);
  EXPECT_GT(ReadFile(dir.Path("real/model.bin")).size(), 100u);
  ExpectOnly({"link.gltf", "pipe.png", "real", "steps.kbs"});
}

// Thumbnails: the blocks alone, filling the picture.
class BlocksPictureTest : public CommandLineTest {
 protected:
  QImage Thumbnail(const std::string& name, int divide, const std::vector<LayoutRecord>& blocks) {
    const std::string out = dir.Path(name + ".png");
    const RunResult run = RunKubisto({"--render", out, "--frame", "blocks", "--size", "128",
                                      dir.Layout(name + ".kbs", divide, blocks)});
    EXPECT_EQ(run.exitCode, 0) << run.err;
    return QImage(QString::fromStdString(out)).convertToFormat(QImage::Format_RGB32);
  }
  // The share of pixels of this colour (0xRRGGBB) give or take shading, or that differ.
  static double Share(const QImage& image, const std::function<bool(QRgb)>& counts) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
      for (int x = 0; x < image.width(); ++x) n += counts(image.pixel(x, y)) ? 1 : 0;
    return static_cast<double>(n) / (image.width() * image.height());
  }
};

TEST_F(BlocksPictureTest, OneBlockFillsThePictureAndTwoLayoutsLookDifferent) {
  // A blue block in a corner of a big room: without the room it is most of the picture.
  const QImage one = Thumbnail("one", 16, {{15, 0, 0, 0xFF0000}});
  ASSERT_EQ(one.width(), 128);  // the longer side
  EXPECT_GT(Share(one, [](QRgb p) { return qBlue(p) > 2 * qRed(p) && qBlue(p) > 2 * qGreen(p); }),
            0.25);
  // The steps and a full room of six colours, drawn the same way, differ in most pixels.
  const QImage steps = Thumbnail("steps", 5, Steps());
  const QImage full = Thumbnail("full", 5, FullRoom(5));
  ASSERT_EQ(steps.size(), full.size());
  int different = 0;
  for (int y = 0; y < steps.height(); ++y)
    for (int x = 0; x < steps.width(); ++x) different += steps.pixel(x, y) != full.pixel(x, y);
  EXPECT_GT(different, steps.width() * steps.height() / 3);
}

TEST_F(BlocksPictureTest, AnEmptyLayoutShowsTheEmptyTable) {
  const QImage empty = Thumbnail("empty", 5, {});
  // The table's brown in the middle, the plain background in a corner, nothing else.
  const QRgb middle = empty.pixel(empty.width() / 2, empty.height() / 2);
  EXPECT_GT(qRed(middle), qGreen(middle) + 40) << std::hex << middle;
  EXPECT_GT(qGreen(middle), qBlue(middle) - 10) << std::hex << middle;
  const QRgb corner = empty.pixel(1, 1);
  EXPECT_NEAR(qRed(corner), qGreen(corner), 10) << std::hex << corner;
  EXPECT_GT(Share(empty, [&](QRgb p) { return p == corner; }), 0.2);
}

TEST_F(BlocksPictureTest, TheFrameIsRoomOrBlocksAndBlocksTakeNoViewOrTurn) {
  const std::string layout = dir.Layout("steps.kbs", 5, Steps());
  const std::string out = dir.Path("t.png");
  RunResult run = RunKubisto({"--render", out, "--frame", "table", layout});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("--frame table: give room or blocks"), std::string::npos) << run.err;
  run = RunKubisto({"--render", out, "--frame", "blocks", "--view", "top", layout});
  EXPECT_EQ(run.exitCode, 2);
  EXPECT_NE(run.err.find("--view and --turn"), std::string::npos) << run.err;
  ExpectOnly({"steps.kbs"});
}

TEST(ThumbnailerTest, RunsTheRenderVerbWithTheFileManagersSize) {
  const std::string text = ReadFile(KUBISTO_SOURCE_DIR "/cli/kubisto.thumbnailer");
  EXPECT_NE(text.find("[Thumbnailer Entry]"), std::string::npos);
  EXPECT_NE(text.find("\nExec=kubisto --render %o --frame blocks --size %s %i\n"),
            std::string::npos);
  EXPECT_NE(text.find("\nMimeType=application/x-kubisto-layout;\n"), std::string::npos);
}

}  // namespace
}  // namespace kubisto::cli::test
