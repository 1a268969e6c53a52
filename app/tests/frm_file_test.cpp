// The file window: its modes, the list, and the OK / Cancel / empty-name rules.
#include "app/windows/frm_file.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

class FrmFileTest : public ::testing::Test {
 protected:
  void Touch(const char* name) {
    QFile(QString::fromStdString(state.programDir + "/data/" + name)).open(QIODevice::WriteOnly);
  }
  std::string DataDir() const { return state.programDir + "\\data"; }

  ShellFixtureState state;
};

TEST_F(FrmFileTest, LoadsWithItsDesignedControlsAndAnEmptyResult) {
  frmFile files;
  EXPECT_EQ(files.InitDir(), state.programDir);
  EXPECT_EQ(files.Mode(), "LOAD");
  EXPECT_EQ(files.filename(), "");
  EXPECT_TRUE(files.txtFileName()->text().isEmpty());
  EXPECT_EQ(files.cmdOK()->text(), "cmdOK");
  EXPECT_EQ(files.cmdCancel()->text(), "cmdCancel");
  EXPECT_FALSE(files.cmdOK()->autoDefault() || files.cmdOK()->isDefault());
  // 10 points on a screen of 15 twips per pixel (96 dots per inch).
  if (files.logicalDpiX() == 96) {
    EXPECT_EQ(files.lblFileName()->font().pointSize(), 10);
  }
  // The size reaches the label only: the other controls keep the toolkit's own size.
  const int own = QApplication::font().pointSize();
  if (own != files.lblFileName()->font().pointSize()) {
    for (QWidget* control : std::initializer_list<QWidget*>{files.filFiles(), files.txtFileName(),
                                                            files.cmdOK(), files.cmdCancel()})
      EXPECT_EQ(control->font().pointSize(), own) << control->objectName().toStdString();
  }
}

TEST_F(FrmFileTest, ModesSetCaptionAndNameControls) {
  frmFile files;
  files.SetMode("LOAD");
  EXPECT_EQ(files.windowTitle(), QStringLiteral("Oh!Kubisto!! データを読み込もう"));
  EXPECT_TRUE(files.txtFileName()->isHidden());
  EXPECT_TRUE(files.lblFileName()->isHidden());
  files.SetMode("SAVE");
  EXPECT_EQ(files.windowTitle(), QStringLiteral("Oh!Kubisto!! データを保存しよう"));
  EXPECT_FALSE(files.txtFileName()->isHidden());
  EXPECT_FALSE(files.lblFileName()->isHidden());
  EXPECT_EQ(files.lblFileName()->text(), QStringLiteral("保存ﾌｧｲﾙ名"));
  // Another mode is stored and changes nothing.
  files.SetMode("OTHER");
  EXPECT_EQ(files.Mode(), "OTHER");
  EXPECT_EQ(files.windowTitle(), QStringLiteral("Oh!Kubisto!! データを保存しよう"));
}

TEST_F(FrmFileTest, ListsTheFilesOfTheFolderOnly) {
  Touch("b.kbs");
  Touch("a.kbs");
  Touch(".keep");  // hidden: not listed, so it cannot be chosen and fail to load
  QDir(QString::fromStdString(state.programDir + "/data")).mkdir("sub");
  frmFile files;
  files.SetInitDir(DataDir());
  ASSERT_EQ(files.filFiles()->count(), 2);
  EXPECT_EQ(files.filFiles()->item(0)->text(), "a.kbs");
  EXPECT_EQ(files.filFiles()->item(1)->text(), "b.kbs");
  // A folder that does not exist gives an empty list.
  files.SetInitDir(state.programDir + "/missing");
  EXPECT_EQ(files.filFiles()->count(), 0);
}

TEST_F(FrmFileTest, OkWithAnEmptyNameWarnsAndKeepsTheWindowOpen) {
  frmFile files;
  files.SetMode("LOAD");
  files.SetInitDir(DataDir());
  files.show();
  files.cmdOK()->click();
  ASSERT_EQ(state.services.messages.size(), 1u);
  EXPECT_EQ(state.services.messages[0].text, "ファイル名を入力してください");
  EXPECT_EQ(state.services.messages[0].caption, "注意");
  EXPECT_EQ(state.services.messages[0].style, vbOKOnly);
  EXPECT_TRUE(files.isVisible());
  EXPECT_EQ(files.filename(), "");
}

TEST_F(FrmFileTest, ClickingANameTakesItAlsoInLoadMode) {
  Touch("one.kbs");
  frmFile files;
  files.SetMode("LOAD");
  files.SetInitDir(DataDir());
  files.show();
  const QRect row = files.filFiles()->visualItemRect(files.filFiles()->item(0));
  QTest::mouseClick(files.filFiles()->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(files.txtFileName()->text(), "one.kbs");
  files.cmdOK()->click();
  EXPECT_EQ(files.filename(), DataDir() + "\\one.kbs");
  EXPECT_FALSE(files.isVisible());
}

TEST_F(FrmFileTest, NoNameIsChosenUntilTheUserChoosesOne) {
  Touch("a.kbs");
  Touch("b.kbs");
  frmFile files;
  files.SetMode("SAVE");
  files.SetInitDir(DataDir());
  files.show();
  files.filFiles()->setFocus();
  Pump(10);
  EXPECT_TRUE(files.txtFileName()->text().isEmpty());
  // Moving with the keys chooses like a click.
  QTest::keyClick(files.filFiles(), Qt::Key_Down);
  QTest::keyClick(files.filFiles(), Qt::Key_Down);
  EXPECT_EQ(files.txtFileName()->text(), "b.kbs");
}

TEST_F(FrmFileTest, DoubleClickingANameIsOk) {
  Touch("two.kbs");
  frmFile files;
  files.SetMode("LOAD");
  files.SetInitDir(DataDir());
  files.show();
  const QRect row = files.filFiles()->visualItemRect(files.filFiles()->item(0));
  QTest::mouseClick(files.filFiles()->viewport(), Qt::LeftButton, {}, row.center());
  QTest::mouseDClick(files.filFiles()->viewport(), Qt::LeftButton, {}, row.center());
  EXPECT_EQ(files.filename(), DataDir() + "\\two.kbs");
  EXPECT_FALSE(files.isVisible());
}

TEST_F(FrmFileTest, SaveTakesTheTypedNameExactly) {
  Touch("old.kbs");
  frmFile files;
  files.SetMode("SAVE");
  files.SetInitDir(DataDir());
  files.show();
  ClickFileName(&files, 0);
  EXPECT_EQ(files.txtFileName()->text(), "old.kbs");
  files.txtFileName()->setText(" new name ");
  files.cmdOK()->click();
  EXPECT_EQ(files.filename(), DataDir() + "\\ new name ");
}

TEST_F(FrmFileTest, SaveRefusesNamesItCouldNeverListAgain) {
  // Hidden names (spaces alone would become ".kbs") and names reaching into other folders.
  frmFile files;
  files.SetMode("SAVE");
  files.SetInitDir(DataDir());
  files.show();
  const char* names[] = {".kbs", " .hidden", "../up", "a/b", "a\\b"};
  for (const char* name : names) {
    files.txtFileName()->setText(QString::fromUtf8(name));
    files.cmdOK()->click();
    EXPECT_EQ(files.filename(), "") << name;
  }
  files.txtFileName()->setText("   ");
  files.cmdOK()->click();
  ASSERT_EQ(state.services.messages.size(), 6u);
  for (size_t i = 0; i < 5; ++i)
    EXPECT_NE(state.services.messages[i].text.find("「.」"), std::string::npos);
  EXPECT_EQ(state.services.messages[5].text, "ファイル名を入力してください");
  EXPECT_TRUE(files.isVisible());
  // Dots inside a name are ordinary.
  files.txtFileName()->setText("a.b..c");
  files.cmdOK()->click();
  EXPECT_EQ(files.filename(), DataDir() + "\\a.b..c");
}

TEST_F(FrmFileTest, CancelAndTheCloseBoxGiveTheEmptyString) {
  {
    frmFile files;
    files.SetMode("SAVE");
    files.txtFileName()->setText("x");
    files.show();
    files.cmdCancel()->click();
    EXPECT_EQ(files.filename(), "");
    EXPECT_FALSE(files.isVisible());
  }
  {
    frmFile files;
    files.SetMode("SAVE");
    files.txtFileName()->setText("x");
    files.show();
    files.close();
    EXPECT_EQ(files.filename(), "");
  }
}

TEST_F(FrmFileTest, EnterIsOkAndEscapeIsCancelAndSavingTypesAtOnce) {
  {
    frmFile files;
    files.SetMode("SAVE");
    files.SetInitDir(DataDir());
    files.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&files));
    // The name box has the focus: a name with spaces is typed whole, and Enter takes it.
    EXPECT_EQ(QApplication::focusWidget(), files.txtFileName());
    QTest::keyClicks(QApplication::focusWidget(), "my tower");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_FALSE(files.isVisible());
    EXPECT_EQ(files.filename(), DataDir() + "\\my tower");
  }
  {
    frmFile files;
    files.SetMode("SAVE");
    files.show();
    files.txtFileName()->setText("typed");
    QTest::keyClick(files.txtFileName(), Qt::Key_Escape);
    EXPECT_FALSE(files.isVisible());
    EXPECT_EQ(files.filename(), "");
  }
  {
    // Loading, Enter on a name moved to in the list is OK; Enter with none warns.
    Touch("a.kbs");
    frmFile files;
    files.SetMode("LOAD");
    files.SetInitDir(DataDir());
    files.show();
    QTest::keyClick(files.filFiles(), Qt::Key_Return);
    EXPECT_TRUE(files.isVisible());
    ASSERT_EQ(state.services.messages.size(), 1u);
    EXPECT_EQ(state.services.messages[0].text, "ファイル名を入力してください");
    QTest::keyClick(files.filFiles(), Qt::Key_Down);
    QTest::keyClick(files.filFiles(), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(files.filename(), DataDir() + "\\a.kbs");
  }
}

TEST_F(FrmFileTest, SavingOverAnExistingFileAsksFirst) {
  QFile old(QString::fromStdString(state.programDir + "/data/old.kbs"));
  ASSERT_TRUE(old.open(QIODevice::WriteOnly));
  old.close();
  frmFile files;
  files.SetMode("SAVE");
  files.SetInitDir(DataDir());
  files.show();
  // The extension is added before the check: "old" is old.kbs. No keeps the window open.
  files.txtFileName()->setText("old");
  QString asked;
  OnNextModal([&](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    asked = box->text();
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::No));
    box->button(QMessageBox::No)->click();
  });
  files.cmdOK()->click();
  Pump(50);
  EXPECT_NE(asked.indexOf(QStringLiteral("上書きしますか？")), -1) << asked.toStdString();
  EXPECT_NE(asked.indexOf(QStringLiteral("/data/old.kbs")), -1) << asked.toStdString();
  EXPECT_TRUE(files.isVisible());
  EXPECT_EQ(files.filename(), "");
  // Yes takes the name; a new name is not asked about.
  OnNextModal(
      [](QWidget* modal) { qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click(); });
  files.cmdOK()->click();
  EXPECT_EQ(files.filename(), DataDir() + "\\old");
  frmFile again;
  again.SetMode("SAVE");
  again.SetInitDir(DataDir());
  again.show();
  again.txtFileName()->setText("new");
  again.cmdOK()->click();
  EXPECT_EQ(again.filename(), DataDir() + "\\new");
}

TEST_F(FrmFileTest, ModalUseEndsWhenOkHidesTheWindow) {
  frmFile files;
  files.SetMode("SAVE");
  OnNextModal([&](QWidget*) {
    files.txtFileName()->setText("r");
    files.cmdOK()->click();
  });
  files.exec();
  EXPECT_EQ(files.filename(), state.programDir + "\\r");
}

}  // namespace
}  // namespace kubisto::app::test
