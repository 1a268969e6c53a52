// frmMain: files anywhere, beside the file window of the data folder: Open and Save As through
// the standard file dialog, Save back to the layout's own file, and the recent files.
#include <QAction>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>

#include "app/editing/command_scope.h"
#include "app/editing/guarded.h"
#include "app/host/paths.h"
#include "app/host/user_settings.h"
#include "app/windows/frm_main.h"

namespace kubisto::app {

namespace {

constexpr char kRecentKey[] = "files/recent";
constexpr char kFolderKey[] = "files/lastFolder";

using Settings = UserSettings;

}  // namespace

void frmMain::CreateFileDialogItems(QMenu* menu) {
  auto item = [this, menu](const char* name, const QString& caption, QKeySequence key,
                           auto handler) {
    QAction* entry = menu->addAction(caption);
    entry->setObjectName(name);
    entry->setShortcut(key);
    connect(entry, &QAction::triggered, this,
            [this, handler] { Guarded([this, handler] { handler(this); }); });
  };
  menu->addSeparator()->setObjectName("mnuFileHifun3");
  item("mnuFileOpen", tr("開く…"), QKeySequence(Qt::CTRL | Qt::Key_O),
       [](frmMain* w) { w->mnuFileOpen_Click(); });
  item("mnuFileSaveOver", tr("上書き保存"), QKeySequence(Qt::CTRL | Qt::Key_S),
       [](frmMain* w) { w->mnuFileSaveOver_Click(); });
  item("mnuFileSaveAs", tr("名前を付けて保存…"), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
       [](frmMain* w) { w->mnuFileSaveAs_Click(); });
  m_mnuFileRecent = menu->addMenu(tr("最近使ったファイル(&R)"));
  m_mnuFileRecent->setObjectName("mnuFileRecent");
  RebuildRecentMenu();
}

QStringList frmMain::RecentFiles() {
  QStringList files = Settings().value(kRecentKey).toStringList();
  files.removeAll(QString());
  while (files.size() > kRecentFiles) files.removeLast();
  return files;
}

void frmMain::AddRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  files.prepend(path);
  while (files.size() > kRecentFiles) files.removeLast();
  Settings settings;
  settings.setValue(kRecentKey, files);
  settings.setValue(kFolderKey, QFileInfo(path).absolutePath());
  RebuildRecentMenu();
}

void frmMain::RebuildRecentMenu() {
  if (m_mnuFileRecent == nullptr) return;
  // The old items go once control is back in the event loop: the one being chosen may be running.
  for (QAction* old : m_mnuFileRecent->actions()) {
    m_mnuFileRecent->removeAction(old);
    old->setObjectName(QString());
    old->deleteLater();
  }
  const QStringList files = RecentFiles();
  for (int i = 0; i < files.size(); ++i) {
    const QString path = files.at(i);
    // "&1 /home/me/tower.kbs": the number is the item's key.
    QString caption = path;
    caption.replace(u'&', QStringLiteral("&&"));
    QAction* entry = m_mnuFileRecent->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(caption));
    entry->setObjectName(QStringLiteral("mnuFileRecent%1").arg(i));
    entry->setData(path);
    connect(entry, &QAction::triggered, this, [this, path] {
      Guarded([this, path] {
        if (InsideAnotherCommand() || !MayDiscardChanges()) return;
        // A file gone since is taken off the list once its failure has been shown.
        if (!LoadLayoutFile(path.toStdString(), path) && !QFileInfo::exists(path)) {
          QStringList files = RecentFiles();
          files.removeAll(path);
          Settings().setValue(kRecentKey, files);
          RebuildRecentMenu();
        }
      });
    });
  }
  m_mnuFileRecent->menuAction()->setEnabled(!files.isEmpty());
}

QString frmMain::DialogFolder() const {
  if (!m_layoutPath.isEmpty()) return QFileInfo(m_layoutPath).absolutePath();
  const QString last = Settings().value(kFolderKey).toString();
  if (!last.isEmpty() && QDir(last).exists()) return last;
  return QString::fromStdString(NativePath(DataDir()));
}

void frmMain::mnuFileOpen_Click() {
  // Like the load command: never inside another command, and unsaved work is asked about first.
  if (InsideAnotherCommand()) return;
  if (!MayDiscardChanges()) return;
  QString path;
  {
    QFileDialog dialog(this, tr("開く"), DialogFolder());
    dialog.setObjectName("dlgOpen");
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters({tr("積み木の配置とボクセルモデル (*.kbs *.KBS *.vox *.VOX)"),
                           tr("積み木の配置 (*.kbs *.KBS)"), tr("ボクセルモデル (*.vox *.VOX)"),
                           tr("すべてのファイル (*)")});
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
    path = dialog.selectedFiles().front();
  }
  LoadLayoutFile(path.toStdString(), path);
}

bool frmMain::mnuFileSaveOver_Click() {
  if (m_saveBackPath.isEmpty()) return mnuFileSaveAs_Click();
  return SaveLayoutFile(m_saveBackPath);
}

bool frmMain::mnuFileSaveAs_Click() {
  // The dialog proposes the layout's own file, or for a model its name as a layout beside it.
  QString proposed = m_saveBackPath;
  if (proposed.isEmpty() && !m_layoutPath.isEmpty()) {
    const QFileInfo model(m_layoutPath);
    proposed = model.absolutePath() + u'/' + model.completeBaseName() + QStringLiteral(".kbs");
  }
  if (proposed.isEmpty()) proposed = DialogFolder();
  for (;;) {
    QString path;
    {
      QFileDialog dialog(this, tr("名前を付けて保存"), proposed);
      dialog.setObjectName("dlgSaveAs");
      dialog.setAcceptMode(QFileDialog::AcceptSave);
      dialog.setFileMode(QFileDialog::AnyFile);
      dialog.setNameFilters({tr("積み木の配置 (*.kbs *.KBS)")});
      dialog.setDefaultSuffix(QStringLiteral("kbs"));
      // The question before a file is replaced is the program's own (MayOverwrite).
      dialog.setOption(QFileDialog::DontConfirmOverwrite);
      if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return false;
      path = AddLayoutExtension(dialog.selectedFiles().front());
    }
    if (path.isEmpty()) return false;
    // No: the dialog comes back for another name.
    if (MayOverwrite(this, path)) return SaveLayoutFile(path);
    proposed = path;
  }
}

}  // namespace kubisto::app
