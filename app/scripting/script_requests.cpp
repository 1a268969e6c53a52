#include "app/scripting/script_requests.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QPixmap>
#include <QStringList>
#include <algorithm>
#include <climits>
#include <cmath>
#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>

#include "app/editing/command_scope.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/status_bar.h"
#include "workroom/layout_file.h"
#include "workroom/room_commands.h"

namespace kubisto::app {
namespace {

using commands::Arg;
using commands::CommandError;
using commands::Fault;

[[noreturn]] void Fail(Fault fault, const std::string& message) {
  throw CommandError(fault, message);
}

// A number as a script wrote it, for messages: whole numbers in full, however large.
std::string NumberText(double d) {
  if (std::fabs(d) < 1e30) return QString::number(d, 'f', 0).toStdString();
  return QString::number(d, 'g', 6).toStdString();
}

// A request's arguments, each read as the table's kind of it.
class Args {
 public:
  explicit Args(const QJsonObject& args) : args_(args) {}
  // A whole number; beyond 32 bits it is out of range, with range saying what is in range.
  std::int32_t Int(const char* name, const std::string& range) const {
    const QJsonValue v = args_.value(name);
    if (!v.isDouble() || std::floor(v.toDouble()) != v.toDouble())
      Fail(Fault::kType, std::string(name) + ": give an integer");
    const double d = v.toDouble();
    if (d < INT32_MIN || d > INT32_MAX) commands::FailOutOfRange(name, NumberText(d), range);
    return static_cast<std::int32_t>(d);
  }
  std::string String(const char* name) const {
    const std::string text = AnyText(name);
    commands::CheckText(text, name);
    return text;
  }
  // An optional flag, false when not given.
  bool Flag(const char* name) const {
    const QJsonValue v = args_.value(name);
    if (v.isUndefined() || v.isNull()) return false;
    if (!v.isBool()) Fail(Fault::kType, std::string(name) + ": give True or False");
    return v.toBool();
  }
  std::string Name(const char* name, Arg kind) const {
    return commands::CheckName(kind, AnyText(name));
  }

 private:
  std::string AnyText(const char* name) const {
    const QJsonValue v = args_.value(name);
    if (!v.isString()) Fail(Fault::kType, std::string(name) + ": give a string");
    return v.toString().toStdString();
  }
  QJsonObject args_;
};

QJsonArray BlockJson(int x, int y, int z, int colour) { return QJsonArray{x, y, z, colour}; }

struct Cell {
  int x, y, z;
};

Cell CellOf(const Args& args, WorkRoomApi& room) {
  const std::int32_t n = room.Divide();
  const std::string range = commands::RangeText(Arg::kCell, n);
  const Cell c{args.Int("x", range), args.Int("y", range), args.Int("z", range)};
  commands::CheckCell(c.x, c.y, c.z, n);
  return c;
}

// The file's path exactly as the script gave it: absolute, and "\\" an ordinary character.
std::string PathOf(const Args& args) {
  const std::string path = args.String("path");
  if (path.empty() || path[0] != '/') Fail(Fault::kValue, "give the file's absolute path");
  return path;
}

// What a request runs on.
struct Target {
  frmMain& window;
  WorkRoomApi& room;
  const commands::RoomCommand& command;
  const Args& args;

  // The command's change, with the table's undo entry.
  void Change(const std::function<void()>& change) const {
    window.RecordChange(command.reach == commands::Reach::kRoom, command.undoText, change);
  }
  // Replacing the whole room never asks the window's question.
  void RefuseUnsavedWork(const char* what) const {
    commands::RefuseUnsavedWork(what, window.history()->Modified(), args.Flag("discard"));
  }
};

// Load and save as the toolbar's commands do once the file window has given the name: the status
// bar shows the work, then the file's name, or nothing when it failed.
void FileCommand(frmMain& window, const QString& working, const std::string& path, auto&& call) {
  window.sbrStatus()->SetPanelText(1, working);
  try {
    call();
  } catch (const CommandError&) {
    window.sbrStatus()->SetPanelText(1, QString());
    throw;
  } catch (const std::exception& error) {
    window.sbrStatus()->SetPanelText(1, QString());
    Fail(Fault::kFile, error.what());
  }
  window.sbrStatus()->SetPanelText(1, QString::fromStdString(path));
}

QJsonValue SetDivide(const Target& t) {
  const Args& args = t.args;
  const std::int32_t n =
      commands::CheckDivide(args.Int("divide", commands::RangeText(Arg::kDivide)));
  t.RefuseUnsavedWork("divide");
  t.Change([&] { t.room.SetDivide(n); });  // as the Options menu for 3..5
  return QJsonValue::Null;
}

QJsonValue Add(const Target& t) {
  const Cell c = CellOf(t.args, t.room);
  const std::int32_t colour =
      commands::ColourFromValue(t.args.Int("colour", commands::RangeText(Arg::kColour)));
  const bool taken = commands::CellTaken(t.room.Blocks(), c.x, c.y, c.z);
  // A taken cell is refused with its sound.
  t.Change([&] { t.room.AddBlock(c.x, c.y, c.z, colour); });
  return !taken;
}

QJsonValue Delete(const Target& t) {
  const Cell c = CellOf(t.args, t.room);
  bool deleted = false;
  t.Change([&] { deleted = t.room.SelectBlock(c.x, c.y, c.z) && t.room.DelBlock(); });
  return deleted;
}

QJsonValue Select(const Target& t) {
  const Cell c = CellOf(t.args, t.room);
  return t.room.SelectBlock(c.x, c.y, c.z);
}

QJsonValue Move(const Target& t) {
  const std::string direction = t.args.Name("direction", Arg::kDirection);
  bool moved = false;
  t.Change([&] { moved = t.room.Move(direction); });
  return moved;
}

QJsonValue Current(const Target& t) {
  std::int32_t x = -1, y = -1, z = -1, colour = 0;
  t.room.CurrentBlock(x, y, z, colour);
  return x == -1 ? QJsonValue(QJsonValue::Null) : QJsonValue(BlockJson(x, y, z, colour));
}

QJsonValue Blocks(const Target& t) {
  QJsonArray blocks;
  for (const LayoutRecord& b : t.room.Blocks()) blocks.append(BlockJson(b.x, b.y, b.z, b.color));
  return blocks;
}

QJsonValue Clear(const Target& t) {
  t.RefuseUnsavedWork("clear");
  t.Change([&] { t.room.ResetData(); });  // as File > New
  return QJsonValue::Null;
}

QJsonValue Load(const Target& t) {
  const std::string path = PathOf(t.args);
  t.RefuseUnsavedWork("load");
  bool complete = true;
  std::size_t total = 0;
  std::int32_t models = 1;
  FileCommand(t.window, QCoreApplication::translate("kubisto::app::frmMain", "データの読み込み中"),
              path, [&] {
                // Read and checked whole first: a bad file leaves the room as it was.
                const Layout layout = ReadLayoutFile(path);
                total = layout.records.size();
                models = layout.models;
                t.Change([&] { complete = t.room.PlaceLayout(layout); });
              });
  if (!complete) {
    // The program's end stopped it: the room holds part of the file, which is not saved work.
    t.window.sbrStatus()->SetPanelText(1, QString());
    Fail(Fault::kFile, path + ": the program is ending; " + std::to_string(t.room.Blocks().size()) +
                           " of " + std::to_string(total) + " blocks were loaded");
  }
  t.window.NoteSavedOrLoaded();
  // The reply says when the room took only the first of a .vox file's models.
  if (models > 1) return QString::fromStdString(path + ": " + commands::SeveralModelsNote(models));
  return QJsonValue::Null;
}

QJsonValue Save(const Target& t) {
  const std::string path = PathOf(t.args);
  commands::CheckSaveName(path);
  FileCommand(t.window, QCoreApplication::translate("kubisto::app::frmMain", "データの保存中"),
              path, [&] { t.room.SaveFile(path); });
  t.window.NoteSavedOrLoaded();
  return QJsonValue::Null;
}

QJsonValue View(const Target& t) {
  t.room.SetView(t.args.Name("name", Arg::kView));
  return QJsonValue::Null;
}

QJsonValue Turn(const Target& t) {
  t.room.Turn(t.args.Name("step", Arg::kTurnStep));
  return QJsonValue::Null;
}

// A picture of the main window as it is on screen, written as a PNG.
QJsonValue Picture(const Target& t) {
  const std::string path = PathOf(t.args);
  if (!t.window.grab().save(QString::fromStdString(path), "PNG"))
    Fail(Fault::kFile, path + ": the picture could not be written");
  return QJsonValue::Null;
}

// How the script server runs each command of the table that it offers.
using Handler = QJsonValue (*)(const Target&);
const std::pair<const char*, Handler> kHandlers[] = {
    {"get_divide", [](const Target& t) -> QJsonValue { return t.room.Divide(); }},
    {"set_divide", SetDivide},
    {"add", Add},
    {"delete", Delete},
    {"select", Select},
    {"move", Move},
    {"current", Current},
    {"blocks", Blocks},
    {"clear", Clear},
    {"load", Load},
    {"save", Save},
    {"view", View},
    {"turn", Turn},
    {"picture", Picture},
};

QJsonValue Run(const QString& cmd, const Args& args) {
  if (cmd == "hello") return QJsonObject{{"program", "kubisto"}, {"protocol", kScriptProtocol}};
  frmMain* window = modMain::MainWindow();
  WorkRoomApi* room = modMain::g_objWorkRoom.get();
  // Failures other than CommandError reach the script as a ProtocolError.
  if (window == nullptr || room == nullptr || window->Unloading())
    throw std::runtime_error("the program is ending");
  const std::string name = cmd.toStdString();
  const commands::RoomCommand* command = commands::FindCommand(name);
  for (const auto& [known, handler] : kHandlers)
    if (command != nullptr && name == known) return handler(Target{*window, *room, *command, args});
  throw std::runtime_error("unknown command \"" + cmd.left(40).toStdString() + "\"");
}

QJsonObject Failure(const QJsonValue& id, const QString& kind, const QString& message) {
  return QJsonObject{{"id", id}, {"ok", false}, {"error", kind}, {"message", message}};
}

}  // namespace

QJsonObject ScriptRefusal(const QString& message) {
  return Failure(QJsonValue::Null, QStringLiteral("ProtocolError"), message);
}

QJsonObject RunScriptLine(const QByteArray& line) {
  QJsonParseError parsed{};
  const QJsonDocument document = QJsonDocument::fromJson(line, &parsed);
  if (parsed.error != QJsonParseError::NoError || !document.isObject())
    return ScriptRefusal(QStringLiteral("a request is one JSON object on one line"));
  const QJsonObject request = document.object();
  const QJsonValue id = request.value("id");
  const QJsonValue cmd = request.value("cmd");
  const QJsonValue args = request.value("args");
  if (!cmd.isString()) return Failure(id, "ProtocolError", "the request has no \"cmd\" string");
  if (!args.isUndefined() && !args.isObject())
    return Failure(id, "ProtocolError", "\"args\" must be an object");
  CommandScope running;  // as any command of the window
  try {
    return QJsonObject{
        {"id", id}, {"ok", true}, {"result", Run(cmd.toString(), Args(args.toObject()))}};
  } catch (const CommandError& error) {
    return Failure(id, commands::FaultName(error.fault()), QString::fromStdString(error.what()));
  } catch (const std::invalid_argument& error) {
    return Failure(id, "ValueError", QString::fromStdString(error.what()));
  } catch (const std::exception& error) {
    return Failure(id, "ProtocolError", QString::fromStdString(error.what()));
  } catch (...) {
    return Failure(id, "ProtocolError", "the request failed");
  }
}

}  // namespace kubisto::app
