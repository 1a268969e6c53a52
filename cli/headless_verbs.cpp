#include "cli/headless_verbs.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "cli/cli_error.h"
#include "cli/layout_input.h"
#include "output/export_model.h"
#include "output/headless_services.h"
#include "output/output_files.h"
#include "output/render_blocks.h"
#include "output/render_layout.h"
#include "workroom/room_commands.h"

namespace kubisto::cli {
namespace {

using output::ExportExtensionList;
using output::ExportLayout;
using output::HeadlessServicesScope;
using output::IsExportPath;
using output::kViewHeight;
using output::kViewWidth;
using output::RenderBlocks;
using output::RenderLayout;
using output::RenderRequest;
using output::WritePng;

const QString kRender = QStringLiteral("render");
const QString kExport = QStringLiteral("export");
const QString kView = QStringLiteral("view");
const QString kTurn = QStringLiteral("turn");
const QString kSize = QStringLiteral("size");
const QString kCellSize = QStringLiteral("cell-size");
const QString kFrame = QStringLiteral("frame");

std::string Text(const QString& s) { return s.toLocal8Bit().toStdString(); }

// "WxH", or "N" for the longer side N with the view's proportions.
void ParseSize(const QString& value, RenderRequest& request) {
  const QStringList parts = value.split(QLatin1Char('x'), Qt::KeepEmptyParts, Qt::CaseInsensitive);
  bool ok1 = false, ok2 = true;
  int w = parts.value(0).toInt(&ok1), h = 0;
  if (parts.size() == 2) h = parts[1].toInt(&ok2);
  const int kMax = commands::kMaxPictureSide;
  if (parts.size() > 2 || !ok1 || !ok2 || w < 1 || w > kMax ||
      (parts.size() == 2 && (h < 1 || h > kMax)))
    throw CliError("--size " + Text(value) + ": give WxH or N, each 1.." + std::to_string(kMax),
                   kExitUsage);
  if (parts.size() == 1) {
    // The longer side of the view becomes N; the shorter keeps the proportion, at least 1.
    if (kViewWidth >= kViewHeight) {
      h = std::max(1, (w * kViewHeight + kViewWidth / 2) / kViewWidth);
    } else {
      h = w;
      w = std::max(1, (h * kViewWidth + kViewHeight / 2) / kViewHeight);
    }
  }
  request.width = w;
  request.height = h;
}

RenderRequest ParseRenderOptions(const QCommandLineParser& parser) {
  RenderRequest request;
  if (parser.isSet(kView)) {
    try {
      request.view = commands::CheckName(commands::Arg::kView, Text(parser.value(kView)));
    } catch (const commands::CommandError&) {
      throw CliError("--view " + Text(parser.value(kView)) + ": give " +
                         commands::NameChoices(commands::Arg::kView),
                     kExitUsage);
    }
  }
  for (const QString& value : parser.values(kTurn)) {
    for (const QString& step : value.split(QLatin1Char(','))) {
      try {
        request.turns.push_back(
            commands::CheckName(commands::Arg::kTurnStep, Text(step.trimmed())));
      } catch (const commands::CommandError&) {
        throw CliError("--turn " + Text(step) + ": give " +
                           commands::NameChoices(commands::Arg::kTurnStep) +
                           ", separated by commas",
                       kExitUsage);
      }
    }
  }
  if (parser.isSet(kSize)) ParseSize(parser.value(kSize), request);
  return request;
}

// Whether path ends in ext, ignoring case.
bool EndsWithNoCase(const std::string& path, const std::string& ext) {
  if (path.size() < ext.size()) return false;
  for (size_t i = 0; i < ext.size(); ++i) {
    const auto a = static_cast<unsigned char>(path[path.size() - ext.size() + i]);
    if (std::tolower(a) != std::tolower(static_cast<unsigned char>(ext[i]))) return false;
  }
  return true;
}

int Run(const QCommandLineParser& parser, const std::string& dataDir) {
  const bool render = parser.isSet(kRender), exportModel = parser.isSet(kExport);
  if (render && exportModel)
    throw CliError("give either --render or --export, not both", kExitUsage);
  const QStringList files = parser.positionalArguments();
  if (files.size() != 1) throw CliError("give exactly one layout file (.kbs)", kExitUsage);
  const std::string layoutPath = Text(files[0]);
  const std::string out = Text(parser.value(render ? kRender : kExport));
  if (out.empty()) throw CliError("give the output file", kExitUsage);

  if (render) {
    if (!EndsWithNoCase(out, ".png"))
      throw CliError(out + ": cannot render to this kind of file; supported: .png", kExitUsage);
    const RenderRequest request = ParseRenderOptions(parser);
    const QString frame = parser.isSet(kFrame) ? parser.value(kFrame).toLower() : "room";
    if (frame != "room" && frame != "blocks")
      throw CliError("--frame " + Text(parser.value(kFrame)) + ": give room or blocks", kExitUsage);
    if (frame == "blocks" && (parser.isSet(kView) || parser.isSet(kTurn)))
      throw CliError("--view and --turn show the room: they go without --frame blocks", kExitUsage);
    const Layout layout = ReadLayoutForCli(layoutPath);
    HeadlessServicesScope quiet;
    WritePng(frame == "blocks" ? RenderBlocks(layout, request.width, request.height)
                               : RenderLayout(layout, request, dataDir),
             out);
    return 0;
  }

  float cellSize = 10.0f;
  if (parser.isSet(kCellSize)) {
    bool ok = false;
    cellSize = parser.value(kCellSize).toFloat(&ok);
    if (!ok || !(cellSize > 0.0f) || cellSize > 1.0e6f)
      throw CliError("--cell-size " + Text(parser.value(kCellSize)) + ": give a positive number",
                     kExitUsage);
  }
  // The extension is checked before the layout is read.
  if (!IsExportPath(out)) {
    throw CliError(
        out + ": cannot export to this kind of file; supported: " + ExportExtensionList(),
        kExitUsage);
  }
  const Layout layout = ReadLayoutForCli(layoutPath);
  HeadlessServicesScope quiet;
  ExportLayout(layout, out, cellSize);
  return 0;
}

}  // namespace

void AddHeadlessOptions(QCommandLineParser& parser) {
  parser.addOption(
      {kRender, "Draw the layout as the 3D view shows it and write it as a PNG.", "OUT.png"});
  parser.addOption(
      {kExport,
       "Write the layout's blocks as a 3D model: " + QString::fromStdString(ExportExtensionList()),
       "OUT.EXT"});
  parser.addOption(
      {kView, "With --render: front, top, side or bird (default: the starting view).", "VIEW"});
  parser.addOption({kTurn, "With --render: turn the room, steps left|right|up|down in order.",
                    "STEP[,STEP...]"});
  parser.addOption(
      {kSize, "With --render: the picture's size WxH, or N for its longer side.", "SIZE"});
  parser.addOption({kFrame,
                    "With --render: room (the view as the program shows it, the default) or "
                    "blocks (the blocks alone filling the picture, for thumbnails).",
                    "FRAME"});
  parser.addOption({kCellSize, "With --export: the edge of one block (default 10).", "S"});
}

std::optional<int> RunHeadlessVerb(const QCommandLineParser& parser, const std::string& dataDir) {
  if (!parser.isSet(kRender) && !parser.isSet(kExport)) return std::nullopt;
  output::RemoveStagingOnSignals();
  try {
    return Run(parser, dataDir);
  } catch (const CliError& error) {
    std::fprintf(stderr, "kubisto: %s\n", error.what());
    return error.ExitCode();
  } catch (const output::OutputError& error) {
    std::fprintf(stderr, "kubisto: %s\n", error.what());
    return ExitCodeOf(error);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kubisto: %s\n", error.what());
    return kExitFailure;
  } catch (...) {
    // Caught so that the output's staging folder is unwound and removed.
    std::fprintf(stderr, "kubisto: the output could not be written (an unknown error)\n");
    return kExitFailure;
  }
}

}  // namespace kubisto::cli
