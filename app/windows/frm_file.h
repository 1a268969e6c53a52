// frmFile: lists the files of one folder and hands back the full path of the one chosen (or
// typed, when saving), or the empty string when the user cancels. It never opens a file itself.
#pragma once

#include <QDialog>
#include <QListWidget>
#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace kubisto::app {

// The file list: a name is chosen by a click or by moving to it with the keys, never by the list
// taking the focus.
class FileListBox : public QListWidget {
  Q_OBJECT
 public:
  using QListWidget::QListWidget;
 signals:
  void KeyboardChoice(QListWidgetItem* item);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
};

class frmFile : public QDialog {
  Q_OBJECT
 public:
  explicit frmFile(QWidget* parent = nullptr);

  std::string InitDir() const { return m_strInitDir; }
  // Stores the folder and lists its files (an empty list when the folder does not exist).
  void SetInitDir(const std::string& dir);
  std::string Mode() const { return m_strMode; }
  // "LOAD" or "SAVE" sets the window up; another value is only stored.
  void SetMode(const std::string& mode);
  // The result: the folder, "\" and the name after OK; empty before OK and after Cancel. Saving
  // over a file that exists is asked about first.
  std::string filename() const { return m_strFileName; }

  FileListBox* filFiles() const { return m_filFiles; }
  QLabel* lblFileName() const { return m_lblFileName; }
  QLineEdit* txtFileName() const { return m_txtFileName; }
  QPushButton* cmdOK() const { return m_cmdOK; }
  QPushButton* cmdCancel() const { return m_cmdCancel; }

 public slots:
  void cmdOK_Click();
  void cmdCancel_Click();
  // Closing by the close box counts as Cancel.
  void reject() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void InitfrmFile();

  std::string m_strInitDir;
  std::string m_strMode;
  std::string m_strFileName;
  FileListBox* m_filFiles;
  QLabel* m_lblFileName;
  QLineEdit* m_txtFileName;
  QPushButton* m_cmdOK;
  QPushButton* m_cmdCancel;
};

}  // namespace kubisto::app
