// frmMain: loading and saving layout files through the file window, and the file a layout came
// from, which the status bar shows and Save writes back to.
#include <QFile>
#include <QFileInfo>

#include "app/editing/command_scope.h"
#include "app/editing/guarded.h"
#include "app/host/file_messages.h"
#include "app/host/paths.h"
#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/message_box.h"
#include "app/windows/mod_main.h"
#include "app/windows/program_title.h"
#include "app/windows/status_bar.h"
#include "workroom/room_commands.h"
#include "workroom/vox_file.h"

namespace kubisto::app {

namespace {

WorkRoomApi* Room() { return modMain::g_objWorkRoom.get(); }

// A path built with "\" separators, in the native form the file calls take; "" stays "".
std::string FileCallPath(const std::string& path) { return path.empty() ? path : NativePath(path); }

// One step on a layout file. A failure is shown as the windows word it (app/host/file_messages.h)
// and the program goes on.
template <class Step>
bool FileStep(const QString& path, bool saving, Step&& step) {
  CommandScope running;
  try {
    step();
    return true;
  } catch (const std::exception& error) {
    const QString text = saving ? SaveFailureText(path, error) : LoadFailureText(path, error);
    services().MessageBox(text.toStdString(), vbOKOnly | vbExclamation, services().AppTitle());
  } catch (...) {
    services().MessageBox("予期しないエラーが発生しました。", vbOKOnly | vbExclamation,
                          services().AppTitle());
  }
  return false;
}

// A voxel model opens as a layout but cannot be written back as one.
bool IsVoxFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) && IsVoxData(file.read(4).toStdString());
}

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
  // The file call gets the path in native form, and the panel shows the same path.
  const std::string path = FileCallPath(name);
  const QString shown =
      path.empty() ? QString() : QFileInfo(QString::fromStdString(path)).absoluteFilePath();
  bool loaded = true;
  if (WorkRoomApi* room = Room())
    loaded = FileStep(shown, false, [&] { RunCommand("load", [&] { room->LoadData(path); }); });
  if (loaded && !name.empty()) {
    // The room now holds what the file holds.
    history_->MarkSaved();
    NoteLayoutFile(shown, !IsVoxFile(shown));
  }
  // A file that could not be read leaves the room as it was and the panel empty.
  WorkRoomApi* room = Room();
  m_sbrStatus->SetPanelText(
      1, loaded ? LoadedNote(shown, room != nullptr ? room->LoadedModels() : 1) : QString());
}

QString frmMain::LoadedNote(const QString& shown, std::int32_t models) {
  // Of a .vox file's several models the first was read: the panel says so after the name.
  if (shown.isEmpty() || models <= 1) return shown;
  return shown + QStringLiteral(": ") + tr(commands::kSeveralModelsNote).arg(models);
}

bool frmMain::LoadLayoutFile(const std::string& path, const QString& shown) {
  m_sbrStatus->SetPanelText(1, tr("データの読み込み中"));
  bool loaded = true;
  std::int32_t models = 1;
  if (WorkRoomApi* room = Room()) {
    // The path is taken exactly as given: a "\" in a name stays part of the name.
    loaded = FileStep(shown, false, [&] {
      const Layout layout = ReadLayoutFile(path);
      models = layout.models;
      RunCommand("load", [&] { room->PlaceLayout(layout); });
    });
  }
  if (loaded) {
    history_->MarkSaved();
    NoteLayoutFile(shown, !IsVoxFile(shown));
  }
  m_sbrStatus->SetPanelText(1, loaded ? LoadedNote(shown, models) : QString());
  return loaded;
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
  const std::string target =
      FileCallPath(AddLayoutExtension(QString::fromStdString(name)).toStdString());
  const QString shown = QString::fromStdString(target);
  if (WorkRoomApi* room = Room()) {
    saved = FileStep(shown, true, [&] { room->SaveData(target); });
    written = saved && !target.empty();
  }
  if (written) {
    history_->MarkSaved();
    NoteLayoutFile(QFileInfo(shown).absoluteFilePath(), true);
  }
  m_sbrStatus->SetPanelText(1, written ? QFileInfo(shown).absoluteFilePath() : QString());
  return written;
}

bool frmMain::SaveLayoutFile(const QString& path) {
  m_sbrStatus->SetPanelText(1, tr("データの保存中"));
  bool saved = false;
  if (WorkRoomApi* room = Room())
    saved = FileStep(path, true, [&] { room->SaveFile(path.toStdString()); });
  if (saved) {
    history_->MarkSaved();
    NoteLayoutFile(path, true);
  }
  m_sbrStatus->SetPanelText(1, saved ? path : QString());
  return saved;
}

void frmMain::NoteLayoutFile(const QString& path, bool saveBack) {
  m_layoutPath = path;
  m_saveBackPath = saveBack ? path : QString();
  AddRecentFile(path);
}

bool frmMain::MayOverwrite(QWidget* parent, const QString& path) {
  if (!QFileInfo::exists(path)) return true;
  constexpr int kNoIsDefault = 256;  // Enter keeps the file
  const int answer = ShowMessageBox(parent, tr("「%1」はもうあります。上書きしますか？").arg(path),
                                    vbYesNo | vbExclamation | kNoIsDefault, ProgramTitle());
  return answer == vbYes;
}

bool frmMain::HasUnsavedWork() {
  if (!history_->Modified()) return false;
  // An empty room that belongs to no file holds nothing to lose.
  if (m_layoutPath.isEmpty()) {
    WorkRoomApi* room = Room();
    bool empty = false;
    Quietly([&] { empty = room != nullptr && room->Blocks().empty(); });
    if (empty) return false;
  }
  return true;
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
