// The editing comforts through the real main window and workroom: undo and redo of every kind of
// change, the question before unsaved work is lost, any colour, and the keys for blocks.
#include <gtest/gtest.h>

#include <QAction>
#include <QCloseEvent>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

struct Snapshot {
  QByteArray bytes;  // the layout file the room saves to
  std::vector<std::int32_t> current;
  bool operator==(const Snapshot&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Snapshot& s) {
  out << s.bytes.left(80).toStdString() << " current";
  for (std::int32_t v : s.current) out << ' ' << v;
  return out;
}

// Answers the question "変更を保存しますか？" with one button; `asked` counts the questions.
void Answer(QMessageBox::StandardButton button, int* asked = nullptr) {
  OnNext<QMessageBox>([button, asked](QMessageBox* box) {
    EXPECT_EQ(box->text(), QStringLiteral("変更を保存しますか？"));
    if (asked != nullptr) ++*asked;
    box->button(button)->click();
  });
}

// Counts the questions that come up, answering each with Cancel: for commands that ask nothing.
class QuestionProbe {
 public:
  QuestionProbe() {
    m_timer.setInterval(5);
    QObject::connect(&m_timer, &QTimer::timeout, [this] {
      if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
        ++asked;
        box->button(QMessageBox::Cancel)->click();
      }
    });
    m_timer.start();
  }
  int asked = 0;

 private:
  QTimer m_timer;
};

// Types a name into the next file window and presses OK; an empty name presses Cancel.
void SaveAs(const QString& name) {
  OnNext<frmFile>([name](frmFile* files) {
    if (name.isEmpty()) {
      files->cmdCancel()->click();
      return;
    }
    files->txtFileName()->setText(name);
    files->cmdOK()->click();
  });
}

class EditingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
    // The watch timer would bring the status bar and the menu in step by itself; stopped, the
    // tests see what the commands do.
    window->tmrWatchMan()->stop();
    Pump(20);
  }
  void TearDown() override { EndRealProgram(); }

  WorkRoomApi& Room() { return *modMain::g_objWorkRoom; }

  Snapshot Take() {
    const std::string path = state.programDir + "/snapshot.kbs";
    Room().SaveData(path);
    QFile file(QString::fromStdString(path));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly));
    std::int32_t x = 0, y = 0, z = 0, c = 0;
    Room().CurrentBlock(x, y, z, c);
    return {file.readAll(), {x, y, z}};
  }

  void Click(const char* name) { window->button(name)->click(); }
  void Trigger(const char* name) { window->action(name)->trigger(); }
  bool Modified() { return window->history()->Modified(); }

  void WriteLayout(const char* name, const QByteArray& bytes) {
    QFile file(QString::fromStdString(state.programDir + "/data/" + name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(bytes);
  }

  void LoadFirstFile() {
    OnNext<frmFile>([](frmFile* files) {
      ClickFileName(files, 0);
      files->cmdOK()->click();
    });
    window->tlbToolBar_ButtonClick("Load");
  }

  ShellFixtureState state;
  QPointer<frmMain> window;
};

using Cell3 = std::vector<std::int32_t>;
const Cell3 kNone{-1, -1, -1};

TEST_F(EditingTest, EveryKindOfChangeUndoesAndRedoesToTheSameBytesAndCurrentBlock) {
  WriteLayout("three.kbs", "3\r\n0,0,0,255\r\n1,0,2,65280\r\n-1,-1,-1,0\r\n\"Kubisto\"\r\n");
  struct Step {
    const char* what;
    std::function<void()> run;
    Cell3 currentAfterUndo;  // the block the change touched, where it was before
  };
  const std::vector<Step> steps = {
      {"add", [&] { Click("cmdAdd"); }, kNone},
      {"move west", [&] { Click("cmdMX"); }, {4, 4, 4}},
      {"move down", [&] { Click("cmdMY"); }, {3, 4, 4}},
      {"recolour", [&] { Trigger("mnuPopupColorGreen"); }, {3, 3, 4}},
      {"add again", [&] { Click("cmdAdd"); }, kNone},
      {"delete", [&] { Click("cmdDelete"); }, {4, 4, 4}},
      {"new",
       [&] {
         Answer(QMessageBox::No);
         Trigger("mnuFileNew");
       },
       kNone},
      {"load", [&] { LoadFirstFile(); }, kNone},
      {"cell count", [&] { Trigger("mnuOptionDivideNum1"); }, kNone},
  };
  std::vector<Snapshot> states = {Take()};
  for (const Step& step : steps) {
    step.run();
    states.push_back(Take());
    ASSERT_NE(states.back(), states[states.size() - 2]) << step.what << " changed nothing";
  }
  for (const auto& message : state.services.messages) ADD_FAILURE() << "message: " << message.text;

  QAction* undo = window->action("mnuEditUndo");
  QAction* redo = window->action("mnuEditRedo");
  for (size_t i = steps.size(); i-- > 0;) {
    ASSERT_TRUE(undo->isEnabled()) << steps[i].what;
    undo->trigger();
    const Snapshot now = Take();
    EXPECT_EQ(now.bytes, states[i].bytes) << "undo of " << steps[i].what;
    EXPECT_EQ(now.current, steps[i].currentAfterUndo) << "undo of " << steps[i].what;
  }
  EXPECT_FALSE(undo->isEnabled());
  for (size_t i = 0; i < steps.size(); ++i) {
    ASSERT_TRUE(redo->isEnabled()) << steps[i].what;
    redo->trigger();
    EXPECT_EQ(Take(), states[i + 1]) << "redo of " << steps[i].what;
  }
  EXPECT_FALSE(redo->isEnabled());
}

TEST_F(EditingTest, UndoOfACellCountChangeRestoresCountBlocksMarkAndStatus) {
  Click("cmdAdd");
  Click("cmdMX");
  Click("cmdAdd");
  const Snapshot five = Take();
  Answer(QMessageBox::No);
  window->mnuOptionDivideNum(0)->trigger();
  EXPECT_EQ(Room().Divide(), 3);
  EXPECT_TRUE(window->mnuOptionDivideNum(0)->isChecked());

  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Room().Divide(), 5);
  EXPECT_EQ(Take().bytes, five.bytes);
  EXPECT_FALSE(window->mnuOptionDivideNum(0)->isChecked());
  EXPECT_TRUE(window->mnuOptionDivideNum(2)->isChecked());
  EXPECT_EQ(window->sbrStatus()->PanelText(2), QStringLiteral("選択中のブロックはないよ"));

  // Both redo keys; then undo of the move tells the status bar which block it touched.
  QTest::keyClick(window, Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Room().Divide(), 3);
  EXPECT_TRUE(window->mnuOptionDivideNum(0)->isChecked());
  QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier);
  QTest::keyClick(window, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
  EXPECT_EQ(Room().Divide(), 3);
  window->action("mnuEditUndo")->trigger();
  window->action("mnuEditUndo")->trigger();
  window->action("mnuEditUndo")->trigger();
  EXPECT_EQ(window->sbrStatus()->PanelText(2), QStringLiteral("(4,4,4)を選択"));
}

TEST_F(EditingTest, EditMenuStartsWithUndoAndRedoDisabledUntilThereIsSomething) {
  const QList<QAction*> items = window->findChild<QMenu*>("mnuEdit")->actions();
  ASSERT_EQ(items.size(), 4);
  EXPECT_EQ(items[0]->text(), QStringLiteral("元に戻す"));
  EXPECT_EQ(items[1]->text(), QStringLiteral("やり直し"));
  EXPECT_TRUE(items[2]->isSeparator());
  EXPECT_EQ(items[3]->objectName(), "mnuEditCopy");
  EXPECT_EQ(items[3]->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_C));
  EXPECT_FALSE(items[0]->isEnabled());
  EXPECT_FALSE(items[1]->isEnabled());
  // Viewing is not a change.
  Click("cmdLeft");
  Trigger("mnuViewTop");
  EXPECT_FALSE(items[0]->isEnabled());
  Click("cmdAdd");
  EXPECT_TRUE(items[0]->isEnabled());
  items[0]->trigger();
  EXPECT_FALSE(items[0]->isEnabled());
  EXPECT_TRUE(items[1]->isEnabled());
  // A refused add (the spawn cell is taken) is no change.
  items[1]->trigger();
  Click("cmdAdd");
  items[0]->trigger();
  EXPECT_FALSE(items[0]->isEnabled());
}

TEST_F(EditingTest, NothingIsAskedWhileTheRoomIsAsSavedOrLoaded) {
  QuestionProbe probe;
  EXPECT_FALSE(Modified());
  Trigger("mnuFileNew");
  window->mnuOptionDivideNum(1)->trigger();  // on an empty room: nothing to lose
  EXPECT_EQ(Room().Divide(), 4);
  Click("cmdAdd");
  EXPECT_TRUE(Modified());
  SaveAs("kept");
  Trigger("mnuFileSave");
  EXPECT_FALSE(Modified());
  EXPECT_TRUE(QFile::exists(QString::fromStdString(state.programDir + "/data/kept.kbs")));
  Trigger("mnuFileNew");  // asks nothing: the blocks are saved
  EXPECT_TRUE(Modified()) << "the empty room differs from the file";
  EXPECT_EQ(Take().bytes.left(6), QByteArray("4\r\n-1,"));
  EXPECT_EQ(probe.asked, 0);
}

TEST_F(EditingTest, UndoAndRedoAcrossTheSaveMarkTheRoomModifiedAgain) {
  Click("cmdAdd");
  SaveAs("saved");
  Trigger("mnuFileSave");
  EXPECT_FALSE(Modified());
  Click("cmdMX");
  EXPECT_TRUE(Modified());
  Trigger("mnuEditUndo");
  EXPECT_FALSE(Modified());
  Trigger("mnuEditUndo");
  EXPECT_TRUE(Modified());
  Trigger("mnuEditRedo");
  EXPECT_FALSE(Modified());
}

TEST_F(EditingTest, CancelAndNoAnswerTheQuestionForNewLoadAndCellCount) {
  WriteLayout("three.kbs", "3\r\n0,0,0,255\r\n-1,-1,-1,0\r\n\"Kubisto\"\r\n");
  Click("cmdAdd");
  const Snapshot one = Take();

  int asked = 0;
  Answer(QMessageBox::Cancel, &asked);
  Trigger("mnuFileNew");
  EXPECT_EQ(Take(), one);

  Answer(QMessageBox::Cancel, &asked);
  window->mnuOptionDivideNum(0)->trigger();
  EXPECT_EQ(Take(), one);
  EXPECT_FALSE(window->mnuOptionDivideNum(0)->isChecked())
      << "the cancelled item is not left checked";
  EXPECT_TRUE(window->mnuOptionDivideNum(2)->isChecked());

  Answer(QMessageBox::Cancel, &asked);
  window->tlbToolBar_ButtonClick("Load");  // no file window follows
  Pump(20);
  EXPECT_EQ(Take(), one);
  EXPECT_EQ(asked, 3);

  Answer(QMessageBox::No, &asked);
  LoadFirstFile();
  EXPECT_EQ(asked, 4);
  EXPECT_EQ(Room().Divide(), 3);
  EXPECT_FALSE(Modified());
}

TEST_F(EditingTest, YesSavesThroughTheFileWindowAndACancelledSaveStopsTheCommand) {
  Click("cmdAdd");
  // Yes, then Cancel in the file window: nothing is saved and the room stays.
  OnNext<QMessageBox>([](QMessageBox* box) {
    SaveAs("");
    box->button(QMessageBox::Yes)->click();
  });
  Trigger("mnuFileNew");
  EXPECT_EQ(Take().current, Cell3({4, 4, 4}));
  EXPECT_TRUE(Modified());

  // Yes and a name: saved, then the room is emptied.
  OnNext<QMessageBox>([](QMessageBox* box) {
    SaveAs("before-new");
    box->button(QMessageBox::Yes)->click();
  });
  Trigger("mnuFileNew");
  QFile saved(QString::fromStdString(state.programDir + "/data/before-new.kbs"));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  EXPECT_TRUE(saved.readAll().startsWith("5\r\n4,4,4,16711680\r\n-1,-1,-1,0\r\n"));
  EXPECT_EQ(Take().current, kNone);
  EXPECT_TRUE(Take().bytes.startsWith("5\r\n-1,-1,-1,0\r\n"));
}

TEST_F(EditingTest, EveryWayOfEndingAsksAndCancelKeepsTheProgram) {
  Click("cmdAdd");
  int asked = 0;
  Answer(QMessageBox::Cancel, &asked);
  Trigger("mnuFileFin");
  Answer(QMessageBox::Cancel, &asked);
  window->tlbToolBar_ButtonClick("Fin");
  Answer(QMessageBox::Cancel, &asked);
  QCloseEvent close;
  QApplication::sendEvent(window, &close);
  EXPECT_FALSE(close.isAccepted());
  EXPECT_EQ(asked, 3);
  EXPECT_FALSE(window->Unloading());
  ASSERT_NE(modMain::g_objWorkRoom, nullptr);

  // Yes with a name saves, then the program ends.
  OnNext<QMessageBox>([](QMessageBox* box) {
    SaveAs("at-exit");
    box->button(QMessageBox::Yes)->click();
  });
  window->close();
  EXPECT_TRUE(QFile::exists(QString::fromStdString(state.programDir + "/data/at-exit.kbs")));
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  EXPECT_TRUE(window->Unloading());
}

TEST_F(EditingTest, NoEndsTheProgramWithoutSavingAndAnUnloadUnderWayAsksNothing) {
  Click("cmdAdd");
  Answer(QMessageBox::No);
  window->tlbToolBar_ButtonClick("Fin");
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  EXPECT_TRUE(window->Unloading());
  EXPECT_TRUE(QDir(QString::fromStdString(state.programDir + "/data")).isEmpty());
}

TEST_F(EditingTest, EndingTheProgramDirectlyNeverAsks) {
  // The path that signals take: FinKubisto without the user's question.
  Click("cmdAdd");
  QuestionProbe probe;
  modMain::FinKubisto();
  Pump(30);
  EXPECT_EQ(probe.asked, 0);
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
}

TEST_F(EditingTest, AColourFromTheDialogLandsInTheSavedFileAndUndoes) {
  Click("cmdAdd");
  QColor offered;
  OnNext<QColorDialog>([&](QColorDialog* dialog) {
    offered = dialog->currentColor();
    dialog->setCurrentColor(QColor(10, 20, 30));
    dialog->accept();
  });
  Trigger("mnuPopupColorOther");
  EXPECT_EQ(offered, QColor(0, 0, 255)) << "opens at the block's colour";
  SaveAs("coloured");
  Trigger("mnuFileSave");
  QFile saved(QString::fromStdString(state.programDir + "/data/coloured.kbs"));
  ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
  // 0x00BBGGRR: 30 << 16 | 20 << 8 | 10
  EXPECT_TRUE(saved.readAll().startsWith("5\r\n4,4,4,1971210\r\n-1,-1,-1,0\r\n"));

  // A cancelled dialog changes nothing.
  OnNext<QColorDialog>([](QColorDialog* dialog) { dialog->reject(); });
  Trigger("mnuPopupColorOther");
  EXPECT_FALSE(Modified());
  Trigger("mnuEditUndo");
  EXPECT_TRUE(Take().bytes.startsWith("5\r\n4,4,4,16711680\r\n"));
}

TEST_F(EditingTest, KeysAddMoveAndDeleteBlocksButNotInsideTheFileWindow) {
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  window->picView()->setFocus();
  QTest::keyClick(window->picView(), Qt::Key_Insert);
  EXPECT_EQ(Take().current, Cell3({4, 4, 4}));
  const std::pair<Qt::Key, Cell3> moves[] = {
      {Qt::Key_Right, {3, 4, 4}},  {Qt::Key_Left, {4, 4, 4}}, {Qt::Key_PageDown, {4, 3, 4}},
      {Qt::Key_PageUp, {4, 4, 4}}, {Qt::Key_Up, {4, 4, 3}},   {Qt::Key_Down, {4, 4, 4}},
  };
  for (const auto& [key, cell] : moves) {
    QTest::keyClick(window, key);
    EXPECT_EQ(Take().current, cell) << QKeySequence(key).toString().toStdString();
  }
  // With the focus on a tool panel button the keys still act on the block.
  window->button("cmdUp")->setFocus();
  QTest::keyClick(window->button("cmdUp"), Qt::Key_Delete);
  EXPECT_EQ(Take().current, kNone);
  EXPECT_TRUE(Take().bytes.startsWith("5\r\n-1,-1,-1,0\r\n"));

  // Inside the file window Insert and Delete belong to the window's own controls.
  OnNext<frmFile>([](frmFile* files) {
    QTest::keyClick(files->txtFileName(), Qt::Key_Insert);
    QTest::keyClick(files, Qt::Key_Insert);
    files->cmdCancel()->click();
  });
  window->tlbToolBar_ButtonClick("Load");
  EXPECT_EQ(Take().current, kNone);
  EXPECT_TRUE(Take().bytes.startsWith("5\r\n-1,-1,-1,0\r\n"));
}

}  // namespace
}  // namespace kubisto::app::test
