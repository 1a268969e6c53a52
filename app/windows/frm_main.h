// frmMain: the program's working window. The 3D view, the tool panel of twelve picture buttons,
// the toolbar, the status bar, the menus, the colour pop-up and two timers. Every command is one
// call on the workroom (modMain::g_objWorkRoom) or on another window of the program.
#pragma once

#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>
#include <span>
#include <string>

#include "app/editing/edit_history.h"
#include "app/editing/unsaved_guard.h"

class QAction;
class QMenu;
class QPushButton;
class QTimer;
class QToolBar;

namespace kubisto::app {

class PictureView;
class StatusBar;
class ToolBox;

class frmMain : public QMainWindow {
  Q_OBJECT
 public:
  static constexpr int kClientWidth = 600;
  static constexpr int kClientHeight = 400;
  static constexpr int kMargin = 2;
  // The cell counts of the divide menu, by item index: 3, 4 and 5, then after a separator the
  // larger rooms.
  static constexpr std::array<int, 8> kDivideCounts = {3, 4, 5, 6, 8, 10, 12, 16};
  // Where the window's size and place are remembered in the user's settings.
  static constexpr const char* kPlacementKey = "window/main";

  // Loading the window runs InitfrmMain and InitControls; the window stays hidden.
  explicit frmMain(QWidget* parent = nullptr);
  ~frmMain() override;

  // Stops the timers, closes the window and deletes it once control returns to the event loop.
  // A second call while unloading does nothing.
  void Unload();
  bool Unloading() const { return m_bUnloading; }

  // --- Controls, by their names ---
  QWidget* client() const { return client_; }
  QToolBar* tlbToolBar() const { return m_tlbToolBar; }
  PictureView* picView() const { return m_picView; }
  ToolBox* picToolBox() const { return m_picToolBox; }
  StatusBar* sbrStatus() const { return m_sbrStatus; }
  QTimer* tmrTickTimer() const { return m_tmrTickTimer; }
  QTimer* tmrWatchMan() const { return m_tmrWatchMan; }
  QMenu* mnuPopupColor() const { return m_mnuPopupColor; }
  QAction* mnuOptionDivideNum(int index) const {
    return m_mnuOptionDivideNum.at(static_cast<size_t>(index));
  }
  QPushButton* button(const QString& name) const;
  QAction* action(const QString& name) const;
  EditHistory* history() const { return history_; }

  // --- Turning state ---
  QString TurnAxis() const { return m_strTurnAxis; }

  // --- Commands and handlers ---
  void tlbToolBar_ButtonClick(const QString& key);
  void picView_MouseDown(int button, int shift, float x, float y);
  void tmrWatchMan_Timer();
  void tmrTickTimer_Timer();
  void mnuViewTurn_Click();
  void mnuViewTurnStop_Click();
  void mnuOptionDivideNum_Click(int index);
  void RecolourCurrentBlock(int color);
  void mnuHelpVersion_Click();
  void LoadLayout();
  // True when a layout was written.
  bool SaveLayout();
  // Loads the layout at path as the load command loads the file chosen in the file window (the
  // command line's file): the panel shows the path, or is emptied when the file cannot be read.
  void OpenLayout(const std::string& path);

  // --- Files anywhere, through the standard file dialog ---
  // File -> Open...: any layout (.kbs) or voxel model (.vox) from any folder.
  void mnuFileOpen_Click();
  // File -> Save (Ctrl+S): back to the .kbs file the layout came from or was last saved to;
  // asks for a name (as Save As) when there is none. True when a layout was written.
  bool mnuFileSaveOver_Click();
  // File -> Save As...: a .kbs file anywhere; an existing one is replaced only after asking.
  bool mnuFileSaveAs_Click();
  // The file a save writes back to ("" when there is none: a new room, or one from a .vox model).
  QString SaveBackPath() const { return m_saveBackPath; }
  // The recent files, newest first (at most kRecentFiles).
  static constexpr int kRecentFiles = 8;
  static QStringList RecentFiles();

  // --- Editing comforts: unsaved-work question, any colour, changes asked for by scripts ---
  // Asks "変更を保存しますか？" when the room holds unsaved changes; true when the command may go
  // on.
  bool MayDiscardChanges();
  // The user's ways of ending the program (menu, toolbar): ask first, then FinKubisto.
  void RequestExit();
  void mnuPopupColorOther_Click();
  // A change of the blocks asked for from outside the window's own commands (a script), kept in
  // the undo history as the window's commands are; and a save or load of such a request, after
  // which the room counts as unmodified.
  void RecordChange(bool wholeRoom, const char* text, const std::function<void()>& change);
  void NoteSavedOrLoaded();

  static QString AddLayoutExtension(const QString& Name);
  // Asks "上書きしますか？" when path names an existing file; true when it may be written.
  static bool MayOverwrite(QWidget* parent, const QString& path);

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void InitfrmMain();
  // The smallest window: the designed client area plus a menu bar of the given height. A window
  // at its smallest follows the menu bar, so that its client area keeps the designed size.
  void FitToMenuBar(int menuHeight);
  // Places the bars, the view and the tool panel for a client area of the given size (never less
  // than the designed one): the view takes what the area has beyond the designed size.
  void LayOutControls(QSize client);
  void LoadChosenLayout(const std::string& name);
  // The file panel's text once a file is loaded: the path shown, and a note when the room took
  // only the first of the file's models.
  QString LoadedNote(const QString& shown, std::int32_t models);
  // Loads path (as given to the workroom), shows shown in the status bar and remembers the file.
  bool LoadLayoutFile(const std::string& path, const QString& shown);
  // Writes the room to path (exactly as given); the status bar, the file and the recent list
  // follow.
  bool SaveLayoutFile(const QString& path);
  // After a load or a save of path: the status bar, the file saved back to, the recent files.
  void NoteLayoutFile(const QString& path, bool saveBack);
  void CreateFileDialogItems(QMenu* menu);
  void RebuildRecentMenu();
  void AddRecentFile(const QString& path);
  QString DialogFolder() const;
  // Whether leaving the room now loses work: a change since the last load or save, unless the room
  // is empty and belongs to no file.
  bool HasUnsavedWork();
  void InitControls();
  void InitToolBoxControls();
  void CreateControls();
  void CreateMenus();
  void CreateToolBar();
  void CreateColourMenu();
  void CreateDivideItems(QMenu* mnuOptionDivide);
  void CreateSoundItem(QMenu* mnuOption);
  void CreateToolBoxButtons();
  QPushButton* CreateButton(const QString& name, const QString& picture, const QString& tooltip,
                            int width, int height, void (frmMain::*command)());

  // Tool panel commands: each is one workroom call.
  void cmdAdd_Click();
  void cmdDelete_Click();
  void cmdX_Click();
  void cmdMX_Click();
  void cmdY_Click();
  void cmdMY_Click();
  void cmdZ_Click();
  void cmdMZ_Click();
  void cmdUp_Click();
  void cmdDown_Click();
  void cmdLeft_Click();
  void cmdRight_Click();

  void mnuFileNew_Click();
  void mnuEditCopy_Click();
  // The View menu's and the toolbar's fixed viewpoints.
  void mnuViewFront_Click();
  void mnuViewTop_Click();
  void mnuViewSide_Click();
  void mnuViewBird_Click();
  void SetView(const std::string& view);
  // The tool panel's moves of the current block and turns of the room, by their names.
  void MoveCurrentBlock(const std::string& direction);
  void TurnRoom(const std::string& step);

  // The toolbar's entries, each with its handler (key nullptr: a separator).
  struct ToolBarEntry {
    const char* key;
    const char* picture;
    const char* tooltip;
    void (*handler)(frmMain*);
  };
  static std::span<const ToolBarEntry> ToolBarEntries();

  // Runs a change of the blocks so that the undo history keeps it.
  void Change(EditHistory::Kind kind, const char* text, const std::function<void()>& change);
  // Runs a command of the room's table (workroom/room_commands.h) with its undo entry.
  void RunCommand(const char* name, const std::function<void()>& change);
  UnsavedWork WorkOfRoom();
  void CreateUndoItems(QMenu* menu);
  void CreateBlockKeys();
  void SyncDivideMarks();
  void OnRoomRestored();

  QWidget* client_ = nullptr;
  QToolBar* m_tlbToolBar = nullptr;
  PictureView* m_picView = nullptr;
  ToolBox* m_picToolBox = nullptr;
  StatusBar* m_sbrStatus = nullptr;
  QTimer* m_tmrTickTimer = nullptr;
  QTimer* m_tmrWatchMan = nullptr;
  QMenu* m_mnuPopupColor = nullptr;
  std::array<QAction*, kDivideCounts.size()> m_mnuOptionDivideNum{};

  QString m_strTurnAxis;
  int m_intTurnStep = 0;
  bool m_bUnloading = false;
  EditHistory* history_ = nullptr;
  bool exitApproved_ = false;  // the session's end was agreed to: no second question
  QString m_layoutPath;        // the file the room was last loaded from or saved to ("" for none)
  QString m_saveBackPath;      // the .kbs file Save writes back to ("" for none)
  QMenu* m_mnuFileRecent = nullptr;
};

}  // namespace kubisto::app
