#include "app/windows/frm_file.h"

#include <QApplication>
#include <QDir>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <cmath>

#include "app/host/paths.h"
#include "app/windows/frm_main.h"
#include "app/windows/resources.h"
#include "app/windows/window_placement.h"
#include "scene/services.h"

namespace kubisto::app {

namespace {

// Design places are in twips at 15 twips per pixel.
QRect TwipsToPixels(int left, int top, int width, int height) {
  return QRect(left / 15, top / 15, width / 15, height / 15);
}

}  // namespace

void FileListBox::keyPressEvent(QKeyEvent* event) {
  QListWidgetItem* before = currentItem();
  QListWidget::keyPressEvent(event);
  // Moving through the list with the keys chooses a name as a click does.
  if (currentItem() != before && currentItem() != nullptr) emit KeyboardChoice(currentItem());
}

frmFile::frmFile(QWidget* parent)
    : QDialog(parent),
      m_filFiles(new FileListBox(this)),
      m_lblFileName(new QLabel(QStringLiteral("Label1"), this)),
      m_txtFileName(new QLineEdit(QStringLiteral("Text1"), this)),
      m_cmdOK(new QPushButton(tr("cmdOK"), this)),
      m_cmdCancel(new QPushButton(tr("cmdCancel"), this)) {
  setObjectName("frmFile");
  setWindowIcon(WindowIcon());
  setWindowFlag(Qt::WindowContextHelpButtonHint, false);
  resize(4680 / 15, 3195 / 15);

  m_filFiles->setObjectName("filFiles");
  m_filFiles->setGeometry(TwipsToPixels(0, 120, 4575, 1890));
  m_lblFileName->setObjectName("lblFileName");
  m_lblFileName->setGeometry(TwipsToPixels(0, 2040, 1335, 255));
  m_txtFileName->setObjectName("txtFileName");
  m_txtFileName->setGeometry(TwipsToPixels(1440, 2040, 3135, 270));
  m_cmdOK->setObjectName("cmdOK");
  m_cmdOK->setGeometry(TwipsToPixels(1920, 2640, 1215, 495));
  m_cmdCancel->setObjectName("cmdCancel");
  m_cmdCancel->setGeometry(TwipsToPixels(3120, 2640, 1215, 495));

  // Enter and Escape are taken by the window itself (keyPressEvent), not by a default button.
  for (QPushButton* button : {m_cmdOK, m_cmdCancel}) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  setTabOrder(m_cmdOK, m_cmdCancel);
  setTabOrder(m_cmdCancel, m_filFiles);
  setTabOrder(m_filFiles, m_txtFileName);

  connect(m_cmdOK, &QPushButton::clicked, this, &frmFile::cmdOK_Click);
  connect(m_cmdCancel, &QPushButton::clicked, this, &frmFile::cmdCancel_Click);
  // A name chosen in the list goes into the text box, also while the box is hidden.
  auto takeName = [this](QListWidgetItem* item) {
    if (item != nullptr) m_txtFileName->setText(item->text());
  };
  connect(m_filFiles, &QListWidget::itemClicked, this, takeName);
  connect(m_filFiles, &FileListBox::KeyboardChoice, this, takeName);
  connect(m_filFiles, &QListWidget::itemDoubleClicked, this,
          [this, takeName](QListWidgetItem* item) {
            takeName(item);
            cmdOK_Click();
          });

  InitfrmFile();
  // Centred on the screen with its frame whenever it is shown.
  CentreOnScreen(this);
}

void frmFile::InitfrmFile() {
  m_strInitDir = ProgramDir();
  m_strMode = "LOAD";  // stored only; the caller sets the window up through SetMode
  m_strFileName.clear();
  m_txtFileName->clear();

  // Font size from the screen's twips per pixel, as a whole number: 10 points at 15.
  const int dpi = logicalDpiX() > 0 ? logicalDpiX() : 96;
  const int twipsPerPixel = static_cast<int>(std::lround(1440.0 / dpi));
  const int points = static_cast<int>(twipsPerPixel * 10.5 / 15);
  if (points > 0) {
    // Only the label and the window's own text take the size: every other control keeps its own,
    // which a font set on the window would otherwise pass down to it.
    for (QWidget* control :
         {static_cast<QWidget*>(m_filFiles), static_cast<QWidget*>(m_txtFileName),
          static_cast<QWidget*>(m_cmdOK), static_cast<QWidget*>(m_cmdCancel)}) {
      QFont own = control->font();
      own.setPointSize(own.pointSize() > 0 ? own.pointSize()
                                           : points);  // marks the size as its own
      control->setFont(own);
    }
    QFont font = this->font();
    font.setPointSize(points);
    setFont(font);
    m_lblFileName->setFont(font);
  }
  QApplication::processEvents();
}

void frmFile::SetInitDir(const std::string& dir) {
  m_strInitDir = dir;
  m_filFiles->clear();
  const QDir folder(QString::fromStdString(NativePath(dir)));
  if (!folder.exists()) return;
  // Visible files only: a hidden file is nothing the user put there to load.
  m_filFiles->addItems(folder.entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
}

void frmFile::SetMode(const std::string& mode) {
  m_strMode = mode;
  if (mode == "LOAD") {
    setWindowTitle(tr("Oh!Kubisto!! データを読み込もう"));
    m_txtFileName->setVisible(false);
    m_lblFileName->setVisible(false);
  } else if (mode == "SAVE") {
    setWindowTitle(tr("Oh!Kubisto!! データを保存しよう"));
    m_txtFileName->setVisible(true);
    m_lblFileName->setVisible(true);
    m_lblFileName->setText(tr("保存ﾌｧｲﾙ名"));
  }
}

void frmFile::cmdOK_Click() {
  const QString name = m_txtFileName->text();
  // Spaces at the ends are dropped from a saved name: a name of spaces alone is none.
  qsizetype first = 0;
  while (first < name.size() && name.at(first) == u' ') ++first;
  const QString saved = name.mid(first);
  if (name.isEmpty() || (m_strMode == "SAVE" && saved.isEmpty())) {
    services().MessageBox(tr("ファイル名を入力してください").toStdString(), vbOKOnly,
                          tr("注意").toStdString());
    return;
  }
  // A saved file must be one this window lists again: in its folder, and not hidden. "\\" is a
  // folder separator in the path this window hands back.
  if (m_strMode == "SAVE" &&
      (saved.startsWith(u'.') || name.contains(u'/') || name.contains(u'\\'))) {
    services().MessageBox(
        tr("ファイル名を「.」で始めたり、「/」や「\\」を含めたりすることはできません")
            .toStdString(),
        vbOKOnly, tr("注意").toStdString());
    return;
  }
  const std::string chosen = m_strInitDir + "\\" + name.toStdString();
  // A save over a file that is there already is asked about first; No leaves the window open.
  if (m_strMode == "SAVE") {
    const QString target = QString::fromStdString(
        NativePath(frmMain::AddLayoutExtension(QString::fromStdString(chosen)).toStdString()));
    if (!frmMain::MayOverwrite(this, target)) return;
  }
  m_strFileName = chosen;
  done(Accepted);
}

void frmFile::cmdCancel_Click() {
  m_strFileName.clear();
  done(Rejected);
}

void frmFile::reject() { cmdCancel_Click(); }

void frmFile::keyPressEvent(QKeyEvent* event) {
  // Enter is OK and Escape is Cancel, wherever the focus is in the window.
  if (event->modifiers() & ~Qt::KeypadModifier) return QDialog::keyPressEvent(event);
  if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
    event->accept();
    cmdOK_Click();
    return;
  }
  if (event->key() == Qt::Key_Escape) {
    event->accept();
    cmdCancel_Click();
    return;
  }
  QDialog::keyPressEvent(event);
}

void frmFile::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  // Saving, the name box has the focus, so that a name can be typed at once; loading, the first
  // in the tab order has it, so that no name is chosen before the user does.
  if (m_strMode == "SAVE")
    m_txtFileName->setFocus();
  else
    m_cmdOK->setFocus();
}

}  // namespace kubisto::app
