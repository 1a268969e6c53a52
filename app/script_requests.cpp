#include "app/script_requests.h"

#include <QCoreApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <stdexcept>
#include <string>

#include "app/command_scope.h"
#include "app/frm_main.h"
#include "app/mod_main.h"
#include "app/status_bar.h"
#include "workroom/layout_file.h"

namespace kubisto::app {
namespace {

// Errors of a request, by the kind the script sees.
struct RequestError : std::runtime_error {
  RequestError(QString kind, const std::string& message)
      : std::runtime_error(message), kind(std::move(kind)) {}
  QString kind;
};
[[noreturn]] void Fail(const char* kind, const std::string& message) {
  throw RequestError(kind, message);
}

// A number as a script wrote it, for messages: whole numbers in full, however large.
std::string NumberText(double d) {
  if (std::fabs(d) < 1e30) return QString::number(d, 'f', 0).toStdString();
  return QString::number(d, 'g', 6).toStdString();
}

class Args {
 public:
  explicit Args(const QJsonObject& args) : m_args(args) {}
  int Int(const char* name, double low, double high) const {
    const QJsonValue v = m_args.value(name);
    if (!v.isDouble() || std::floor(v.toDouble()) != v.toDouble())
      Fail("TypeError", std::string(name) + ": give an integer");
    const double d = v.toDouble();
    if (d < low || d > high)
      Fail("ValueError", std::string(name) + " " + NumberText(d) + " is out of range: give " +
                             NumberText(low) + ".." + NumberText(high));
    return static_cast<int>(d);
  }
  std::string String(const char* name) const {
    const QJsonValue v = m_args.value(name);
    if (!v.isString()) Fail("TypeError", std::string(name) + ": give a string");
    const QString text = v.toString();
    // A NUL would end the name early wherever it is passed on as a C string.
    if (text.contains(QChar(u'\0')))
      Fail("ValueError", std::string(name) + ": a NUL character is not allowed");
    return text.toStdString();
  }
  // An optional flag, false when not given.
  bool Flag(const char* name) const {
    const QJsonValue v = m_args.value(name);
    if (v.isUndefined() || v.isNull()) return false;
    if (!v.isBool()) Fail("TypeError", std::string(name) + ": give True or False");
    return v.toBool();
  }

 private:
  QJsonObject m_args;
};

std::string Upper(const std::string& name, const QStringList& allowed, const char* what) {
  const QString upper = QString::fromStdString(name).toUpper();
  if (!allowed.contains(upper))
    Fail("ValueError", "unknown " + std::string(what) + " \"" + name + "\": give one of " +
                           allowed.join(", ").toStdString());
  return upper.toStdString();
}

QJsonArray BlockJson(int x, int y, int z, int colour) { return QJsonArray{x, y, z, colour}; }

struct Cell {
  int x, y, z;
};

Cell CellOf(const Args& args, WorkRoomApi& room) {
  const int big = 1 << 30;
  Cell c{args.Int("x", -big, big), args.Int("y", -big, big), args.Int("z", -big, big)};
  const int n = room.Divide();
  if (std::min({c.x, c.y, c.z}) < 0 || std::max({c.x, c.y, c.z}) >= n)
    Fail("ValueError", "cell (" + std::to_string(c.x) + ", " + std::to_string(c.y) + ", " +
                           std::to_string(c.z) + ") is outside the room: each of x, y, z is 0.." +
                           std::to_string(n - 1));
  return c;
}

// The file's path exactly as the script gave it: absolute, and "\\" an ordinary character.
std::string PathOf(const Args& args) {
  const std::string path = args.String("path");
  if (path.empty() || path[0] != '/') Fail("ValueError", "give the file's absolute path");
  return path;
}

// A save's file name must be one the file window lists: not hidden, not a folder.
void CheckSaveName(const std::string& path) {
  const std::string name = path.substr(path.rfind('/') + 1);
  if (name.empty()) Fail("ValueError", path + ": give a file name, not a folder");
  if (name[0] == '.')
    Fail("ValueError", path + ": a file name beginning with \".\" is hidden; give another");
}

// Replacing the whole room never asks the window's question: unsaved work makes the request fail
// unless the script said it may be thrown away.
void RefuseUnsavedWork(frmMain& window, const Args& args, const char* cmd) {
  if (args.Flag("discard") || !window.history()->Modified()) return;
  Fail("ValueError", std::string(cmd) +
                         ": the room holds unsaved work; save it first, or pass discard=True to "
                         "throw it away");
}

// Load and save as the toolbar's commands do once the file window has given the name: the status
// bar shows the work, then the file's name, or nothing when it failed.
void FileCommand(frmMain& window, const QString& working, const std::string& path, auto&& call) {
  window.sbrStatus()->SetPanelText(1, working);
  try {
    call();
  } catch (const RequestError&) {
    window.sbrStatus()->SetPanelText(1, QString());
    throw;
  } catch (const std::exception& error) {
    window.sbrStatus()->SetPanelText(1, QString());
    Fail("OSError", error.what());
  }
  window.sbrStatus()->SetPanelText(1, QString::fromStdString(path));
}

QJsonValue Run(const QString& cmd, const Args& args) {
  if (cmd == "hello") return QJsonObject{{"program", "kubisto"}, {"protocol", kScriptProtocol}};
  frmMain* window = modMain::MainWindow();
  WorkRoomApi* room = modMain::g_objWorkRoom.get();
  if (window == nullptr || room == nullptr || window->Unloading())
    Fail("ProtocolError", "the program is ending");

  if (cmd == "get_divide") return room->Divide();
  if (cmd == "set_divide") {
    const int n = args.Int("divide", 1, kMaxLayoutDivide);
    RefuseUnsavedWork(*window, args, "set_divide");
    window->RecordChange(true, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "辺の分割数"),
                         [&] { room->SetDivide(n); });  // as the Options menu for 3..5
    return QJsonValue::Null;
  }
  if (cmd == "add") {
    const Cell c = CellOf(args, *room);
    const int colour = args.Int("colour", 0, 0xFFFFFF);
    bool taken = false;
    for (const LayoutRecord& b : room->Blocks())
      taken = taken || (b.x == c.x && b.y == c.y && b.z == c.z);
    // A taken cell is refused with its sound.
    window->RecordChange(false, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "ブロックの追加"),
                         [&] { room->AddBlock(c.x, c.y, c.z, colour); });
    return !taken;
  }
  if (cmd == "delete") {
    const Cell c = CellOf(args, *room);
    bool deleted = false;
    window->RecordChange(false, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "ブロックの削除"),
                         [&] { deleted = room->SelectBlock(c.x, c.y, c.z) && room->DelBlock(); });
    return deleted;
  }
  if (cmd == "select") {
    const Cell c = CellOf(args, *room);
    return room->SelectBlock(c.x, c.y, c.z);
  }
  if (cmd == "move") {
    const std::string direction =
        Upper(args.String("direction"), {"X", "-X", "Y", "-Y", "Z", "-Z"}, "direction");
    bool moved = false;
    window->RecordChange(false, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "移動"),
                         [&] { moved = room->Move(direction); });
    return moved;
  }
  if (cmd == "current") {
    std::int32_t x = -1, y = -1, z = -1, colour = 0;
    room->CurrentBlock(x, y, z, colour);
    return x == -1 ? QJsonValue(QJsonValue::Null) : QJsonValue(BlockJson(x, y, z, colour));
  }
  if (cmd == "blocks") {
    QJsonArray blocks;
    for (const LayoutRecord& b : room->Blocks()) blocks.append(BlockJson(b.x, b.y, b.z, b.color));
    return blocks;
  }
  if (cmd == "clear") {
    RefuseUnsavedWork(*window, args, "clear");
    window->RecordChange(true, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "新規作成"),
                         [&] { room->ResetData(); });  // as File > New
    return QJsonValue::Null;
  }
  if (cmd == "load") {
    const std::string path = PathOf(args);
    RefuseUnsavedWork(*window, args, "load");
    bool complete = true;
    std::size_t total = 0;
    FileCommand(*window, QCoreApplication::translate("kubisto::app::frmMain", "データの読み込み中"),
                path, [&] {
                  // Read and checked whole first: a bad file leaves the room as it was.
                  const Layout layout = ReadLayoutFile(path);
                  total = layout.records.size();
                  window->RecordChange(true, QT_TRANSLATE_NOOP("kubisto::app::frmMain", "読み込み"),
                                       [&] { complete = room->PlaceLayout(layout); });
                });
    if (!complete) {
      // The program's end stopped it: the room holds part of the file, which is not saved work.
      window->sbrStatus()->SetPanelText(1, QString());
      Fail("OSError", path + ": the program is ending; " + std::to_string(room->Blocks().size()) +
                          " of " + std::to_string(total) + " blocks were loaded");
    }
    window->NoteSavedOrLoaded();
    return QJsonValue::Null;
  }
  if (cmd == "save") {
    const std::string path = PathOf(args);
    CheckSaveName(path);
    FileCommand(*window, QCoreApplication::translate("kubisto::app::frmMain", "データの保存中"),
                path, [&] { room->SaveFile(path); });
    window->NoteSavedOrLoaded();
    return QJsonValue::Null;
  }
  if (cmd == "view") {
    room->SetView(Upper(args.String("name"), {"FRONT", "TOP", "SIDE", "BIRD"}, "view"));
    return QJsonValue::Null;
  }
  if (cmd == "turn") {
    room->Turn(Upper(args.String("step"), {"UP", "DOWN", "LEFT", "RIGHT"}, "turn"));
    return QJsonValue::Null;
  }
  Fail("ProtocolError", "unknown command \"" + cmd.left(40).toStdString() + "\"");
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
  } catch (const RequestError& error) {
    return Failure(id, error.kind, QString::fromStdString(error.what()));
  } catch (const std::invalid_argument& error) {
    return Failure(id, "ValueError", QString::fromStdString(error.what()));
  } catch (const std::exception& error) {
    return Failure(id, "ProtocolError", QString::fromStdString(error.what()));
  } catch (...) {
    return Failure(id, "ProtocolError", "the request failed");
  }
}

}  // namespace kubisto::app
