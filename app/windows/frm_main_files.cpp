// frmMain: loading and saving layout files through the file window.
#include "app/editing/guarded.h"
#include "app/host/paths.h"
#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/status_bar.h"
#include "workroom/room_commands.h"

namespace kubisto::app {

namespace {

WorkRoomApi* Room() { return modMain::g_objWorkRoom.get(); }

// A path built with "\" separators, in the native form the file calls take; "" stays "".
std::string FileCallPath(const std::string& path) { return path.empty() ? path : NativePath(path); }

}  // namespace

// --- Layout files ---

void frmMain::LoadLayout() {
  if (InsideAnotherCommand()) return;
  if (!MayDiscardChanges()) return;
  std::string name;
  {
    frmFile files(this);
    files.SetMode("LOAD");
    files.SetInitDir(DataDir());
    files.exec();
    m_sbrStatus->SetPanelText(1, tr("データの読み込み中"));
    name = files.filename();
  }
  LoadChosenLayout(name);
}

void frmMain::OpenLayout(const std::string& path) {
  m_sbrStatus->SetPanelText(1, tr("データの読み込み中"));
  LoadChosenLayout(path);
}

void frmMain::LoadChosenLayout(const std::string& name) {
  bool loaded = true;
  // The file call gets the path in native form; the panel shows it as the file window gave it.
  if (WorkRoomApi* room = Room()) {
    loaded = Guarded([&] { RunCommand("load", [&] { room->LoadData(FileCallPath(name)); }); });
  }
  // The room now holds what the file holds.
  if (loaded && !name.empty()) m_history->MarkSaved();
  // A file that could not be read leaves the room as it was and the panel empty.
  m_sbrStatus->SetPanelText(1, loaded ? LoadedNote(name) : QString());
}

QString frmMain::LoadedNote(const std::string& name) {
  QString note = QString::fromStdString(name);
  // Of a .vox file's several models the first was read: the panel says so after the name.
  WorkRoomApi* room = Room();
  if (room != nullptr && !name.empty() && room->LoadedModels() > 1)
    note += QStringLiteral(": ") + tr(commands::kSeveralModelsNote).arg(room->LoadedModels());
  return note;
}

bool frmMain::SaveLayout() {
  std::string name;
  {
    frmFile files(this);
    files.SetMode("SAVE");
    files.SetInitDir(DataDir());
    files.exec();
    m_sbrStatus->SetPanelText(1, tr("データの保存中"));
    name = files.filename();
  }
  bool saved = true;
  bool written = false;
  if (WorkRoomApi* room = Room()) {
    const std::string target =
        FileCallPath(AddLayoutExtension(QString::fromStdString(name)).toStdString());
    saved = Guarded([&] { room->SaveData(target); });
    written = saved && !target.empty();
  }
  m_sbrStatus->SetPanelText(1, saved ? QString::fromStdString(name) : QString());
  if (written) m_history->MarkSaved();
  return written;
}

QString frmMain::AddLayoutExtension(const QString& Name) {
  // Only spaces are trimmed, at both ends.
  qsizetype first = 0;
  qsizetype last = Name.size();
  while (first < last && Name.at(first) == u' ') ++first;
  while (last > first && Name.at(last - 1) == u' ') --last;
  QString result = Name.mid(first, last - first);
  if (!result.isEmpty() && result.right(4).toUpper() != QStringLiteral(".KBS"))
    result += QStringLiteral(".kbs");
  return result;
}

}  // namespace kubisto::app
