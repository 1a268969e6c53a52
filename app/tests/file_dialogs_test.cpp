// Files anywhere through the real window and workroom: Open and Save As in the standard file
// dialog, Save back to the layout's file, the question before a file is replaced, the recent
// files, the keys of the menus, the status bar's path, and failures told in the window's language.
#include <gtest/gtest.h>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <functional>
#include <map>

#include "app/host/file_messages.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "app_test_support.h"
#include "platform/replace_file.h"
#include "workroom/layout_file.h"
#include "workroom/vox_file.h"

namespace kubisto::app::test {
namespace {

// Chooses path in a file dialog and accepts it. The dialog lists its folder in the background:
// until it has, a name may not be taken yet, so the choice is repeated for a while.
void Accept(QFileDialog* dialog, const QString& path, int triesLeft = 100) {
  // The name box takes no chosen name while it has the focus: the name is typed into it.
  auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(name, nullptr);
  name->setText(path);
  static_cast<QDialog*>(dialog)->accept();
  if (!dialog->isVisible()) return;
  if (triesLeft == 0) {
    ADD_FAILURE() << "the dialog did not take " << path.toStdString();
    dialog->reject();
    return;
  }
  QPointer<QFileDialog> later(dialog);
  QTimer::singleShot(20, [later, path, triesLeft] {
    if (later) Accept(later, path, triesLeft - 1);
  });
}

class FileDialogsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
    folder = QString::fromStdString(state.programDir) + "/elsewhere";
    QDir().mkpath(folder);
    Pump(30);
  }
  void TearDown() override { EndRealProgram(); }

  WorkRoomApi* Room() { return modMain::g_objWorkRoom.get(); }
  QString Status() { return window->sbrStatus()->PanelText(1); }
  QByteArray Bytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }
  // Writes a file of these bytes; false when it cannot be opened.
  bool WriteBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  }
  QByteArray RoomBytes() {
    return QByteArray::fromStdString(FormatLayout(Room()->Divide(), Room()->Blocks()));
  }
  // Fills in the next file dialog with path and accepts it (an empty path cancels it); the
  // dialog's caption is kept in caption.
  void ChooseInDialog(const QString& path, QString* caption = nullptr) {
    OnNext<QFileDialog>([path, caption](QFileDialog* dialog) {
      if (caption != nullptr) *caption = dialog->windowTitle();
      if (path.isEmpty()) return dialog->reject();
      Accept(dialog, path);
    });
  }

  ShellFixtureState state;
  frmMain* window = nullptr;
  QString folder;
};

TEST_F(FileDialogsTest, SaveAsOpenAndSaveBackRoundTrip) {
  window->button("cmdAdd")->click();
  const QByteArray oneBlock = RoomBytes();
  QString caption;
  ChooseInDialog(folder + "/my tower", &caption);
  EXPECT_TRUE(window->mnuFileSaveAs_Click());
  const QString path = folder + "/my tower.kbs";
  EXPECT_EQ(caption, QStringLiteral("名前を付けて保存"));
  EXPECT_EQ(Bytes(path), oneBlock);
  EXPECT_EQ(Status(), path);
  EXPECT_EQ(window->SaveBackPath(), path);

  // New forgets the file; Open brings the layout back from its folder.
  window->action("mnuFileNew")->trigger();
  EXPECT_TRUE(Room()->Blocks().empty());
  EXPECT_EQ(Status(), QString());
  EXPECT_EQ(window->SaveBackPath(), QString());
  ChooseInDialog(path, &caption);
  window->action("mnuFileOpen")->trigger();
  EXPECT_EQ(caption, QStringLiteral("開く"));
  EXPECT_EQ(RoomBytes(), oneBlock);
  EXPECT_EQ(Status(), path);

  // A change, then Save writes it back to the same file without asking anything.
  window->button("cmdMX")->click();
  ASSERT_NE(RoomBytes(), oneBlock);
  EXPECT_TRUE(window->mnuFileSaveOver_Click());
  EXPECT_EQ(Bytes(path), RoomBytes());
  for (const auto& message : state.services.messages) ADD_FAILURE() << message.text;
  EXPECT_EQ(frmMain::RecentFiles(), QStringList({path}));
}

TEST_F(FileDialogsTest, SaveAsAsksBeforeReplacingAFileAndNoKeepsIt) {
  const QString path = folder + "/old.kbs";
  ASSERT_TRUE(WriteBytes(path, "old bytes"));
  window->button("cmdAdd")->click();
  // No: the file stays and the dialog comes back, where Cancel ends the command.
  int asked = 0;
  OnNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    Accept(dialog, path);
    OnNext<QMessageBox>([&](QMessageBox* box) {
      ++asked;
      EXPECT_NE(box->text().indexOf(QStringLiteral("上書きしますか？")), -1);
      box->button(QMessageBox::No)->click();
      ChooseInDialog(QString());
    });
  });
  EXPECT_FALSE(window->mnuFileSaveAs_Click());
  EXPECT_EQ(asked, 1);
  EXPECT_EQ(Bytes(path), QByteArray("old bytes"));
  EXPECT_EQ(window->SaveBackPath(), QString());

  // Yes replaces it.
  OnNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    Accept(dialog, path);
    OnNext<QMessageBox>([](QMessageBox* box) { box->button(QMessageBox::Yes)->click(); });
  });
  EXPECT_TRUE(window->mnuFileSaveAs_Click());
  EXPECT_EQ(Bytes(path), RoomBytes());
}

TEST_F(FileDialogsTest, AModelOpensButSaveAsksForALayoutName) {
  const QString model = folder + "/statue.vox";
  ASSERT_TRUE(
      WriteBytes(model, QByteArray::fromStdString(FormatVox(Layout{4, {{0, 0, 0, 0x00FF00}}}))));
  ChooseInDialog(model);
  window->action("mnuFileOpen")->trigger();
  EXPECT_EQ(Room()->Divide(), 4);
  EXPECT_EQ(Room()->Blocks().size(), 1u);
  EXPECT_EQ(Status(), model);
  EXPECT_EQ(window->SaveBackPath(), QString());
  // Save asks for a name: the model's name as a layout beside it.
  QString proposed;
  OnNextModal([&](QWidget* modal) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    proposed = dialog->directory().absolutePath();
    EXPECT_TRUE(dialog->selectedFiles().value(0).endsWith("/statue.kbs"));
    Accept(dialog, folder + "/statue.kbs");
  });
  EXPECT_TRUE(window->mnuFileSaveOver_Click());
  EXPECT_EQ(proposed, folder);
  EXPECT_EQ(window->SaveBackPath(), folder + "/statue.kbs");
  EXPECT_EQ(Bytes(folder + "/statue.kbs"), RoomBytes());
  EXPECT_EQ(Bytes(model).left(4), QByteArray("VOX "));
}

TEST_F(FileDialogsTest, RecentFilesKeepTheNewestEightAndOpenAgain) {
  window->button("cmdAdd")->click();
  for (int i = 0; i < 9; ++i) {
    ChooseInDialog(folder + QStringLiteral("/r%1.kbs").arg(i));
    ASSERT_TRUE(window->mnuFileSaveAs_Click());
  }
  const QStringList recent = frmMain::RecentFiles();
  ASSERT_EQ(recent.size(), 8);
  EXPECT_EQ(recent.front(), folder + "/r8.kbs");
  EXPECT_EQ(recent.back(), folder + "/r1.kbs");
  QAction* second = window->action("mnuFileRecent1");
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->text(), "&2 " + folder + "/r7.kbs");

  window->action("mnuFileNew")->trigger();
  second->trigger();
  EXPECT_EQ(Room()->Blocks().size(), 1u);
  EXPECT_EQ(Status(), folder + "/r7.kbs");
  EXPECT_EQ(frmMain::RecentFiles().front(), folder + "/r7.kbs");

  // A file gone since is reported and taken off the list.
  QFile::remove(folder + "/r8.kbs");
  window->action("mnuFileNew")->trigger();
  window->action("mnuFileRecent1")->trigger();
  ASSERT_EQ(state.services.messages.size(), 1u);
  EXPECT_FALSE(frmMain::RecentFiles().contains(folder + "/r8.kbs"));
}

TEST_F(FileDialogsTest, AnEmptyRoomOfNoFileIsLeftWithoutAQuestion) {
  int questions = 0;
  QTimer probe;
  QObject::connect(&probe, &QTimer::timeout, [&] {
    if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
      ++questions;
      box->button(QMessageBox::No)->click();
    }
  });
  probe.start(5);
  window->button("cmdAdd")->click();
  window->action("mnuFileNew")->trigger();  // blocks stand: asked
  EXPECT_EQ(questions, 1);
  EXPECT_TRUE(window->MayDiscardChanges());  // New left an empty room: nothing to ask
  window->button("cmdAdd")->click();
  window->button("cmdDelete")->click();
  EXPECT_TRUE(window->MayDiscardChanges());
  EXPECT_EQ(questions, 1);
}

TEST_F(FileDialogsTest, ABadLayoutIsReportedInJapaneseWithItsLine) {
  const QString path = folder + "/broken.kbs";
  ASSERT_TRUE(WriteBytes(path, "3\r\n0,0,zero,255\r\n"));
  window->button("cmdAdd")->click();
  const QByteArray before = RoomBytes();
  window->OpenLayout(path.toStdString());
  ASSERT_EQ(state.services.messages.size(), 1u);
  const QString text = QString::fromStdString(state.services.messages[0].text);
  EXPECT_EQ(text,
            "「" + path + "」を読み込めませんでした。\n2行目: zの \"zero\" が数ではありません")
      << text.toStdString();
  EXPECT_EQ(RoomBytes(), before);
  EXPECT_EQ(Status(), QString());
}

TEST(FileMessagesTest, EveryFailureOfTheLayersBelowIsToldInJapanese) {
  ShellFixtureState state;
  const QString dir = QString::fromStdString(state.programDir);
  std::vector<QString> texts;
  const auto load = [&](const char* bytes) {
    try {
      ParseLayout(bytes, "f.kbs");
      ADD_FAILURE() << bytes;
    } catch (const std::exception& error) {
      texts.push_back(LoadFailureText("f.kbs", error));
    }
  };
  load("");
  load("3\r\n1,1,1,255\r\n");
  load("99\r\n");
  load("3\r\n5,0,0,1\r\n");
  load("3\r\n0,0,0,99999999999\r\n");
  try {
    ReadLayoutFile("/dev/null");  // not a regular file
  } catch (const std::exception& error) {
    texts.push_back(LoadFailureText("/dev/null", error));
  }
  for (const std::string& vox :
       {std::string("VOX junk"), FormatVox(Layout{17, {{0, 0, 0, 255}}})}) {
    try {
      ReadVoxLayout(vox, "m.vox");
      ADD_FAILURE() << vox.size();
    } catch (const std::exception& error) {
      texts.push_back(LoadFailureText("m.vox", error));
    }
  }
  try {
    ReadLayoutFile((dir + "/missing.kbs").toStdString());
  } catch (const std::exception& error) {
    texts.push_back(LoadFailureText("missing.kbs", error));
  }
  try {
    platform::ReplaceFile((dir + "/data").toStdString(), "x");  // a folder
  } catch (const std::exception& error) {
    texts.push_back(SaveFailureText("data", error));
  }
  try {
    platform::ReplaceFile((dir + "/no/such/folder/f.kbs").toStdString(), "x");
  } catch (const std::exception& error) {
    texts.push_back(SaveFailureText("f.kbs", error));
  }
  ASSERT_EQ(texts.size(), 11u);
  for (const QString& text : texts) {
    // Only the names of the files and the quoted fields stay as they are.
    for (const char* english : {"the ", "file", "is ", "Cannot", "such", "model", "folder"})
      EXPECT_EQ(text.indexOf(QLatin1String(english)), -1) << text.toStdString();
  }
  EXPECT_NE(texts[0].indexOf(QStringLiteral("分割数があるはずの所で")), -1);
  EXPECT_NE(texts[2].indexOf(QStringLiteral("1行目: 分割数 99 が 1～16 の範囲にありません")), -1);
  EXPECT_NE(texts[7].indexOf(QStringLiteral("17×17×17")), -1) << texts[7].toStdString();
  EXPECT_NE(texts[9].indexOf(QStringLiteral("フォルダーです")), -1) << texts[9].toStdString();
}

// The keys of the menus: each triggers its item, none is taken twice in the window, and every
// menu of the menu bar has its own Alt key.
TEST_F(FileDialogsTest, EveryShortcutTriggersItsItemAndNoneClash) {
  const std::map<QString, QKeyCombination> keys = {
      {"mnuFileNew", Qt::CTRL | Qt::Key_N},
      {"mnuFileOpen", Qt::CTRL | Qt::Key_O},
      {"mnuFileSaveOver", Qt::CTRL | Qt::Key_S},
      {"mnuFileSaveAs", Qt::CTRL | Qt::SHIFT | Qt::Key_S},
      {"mnuFileFin", Qt::CTRL | Qt::Key_Q},
      {"mnuHelpHelp", QKeyCombination(Qt::Key_F1)},
  };
  window->show();
  window->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window));
  for (const auto& [name, key] : keys) {
    QAction* item = window->action(name);
    ASSERT_NE(item, nullptr) << name.toStdString();
    EXPECT_EQ(item->shortcut(), QKeySequence(key)) << name.toStdString();
    // The item's own command is tested above; here only the key's way to it.
    item->disconnect(window);
    QSignalSpy triggered(item, &QAction::triggered);
    QTest::keyClick(window->picView(), key.key(), key.keyboardModifiers());
    EXPECT_EQ(triggered.count(), 1) << name.toStdString();
  }
  std::map<QString, QString> taken;
  for (QAction* item : window->findChildren<QAction*>()) {
    for (const QKeySequence& key : item->shortcuts()) {
      const QString text = key.toString();
      EXPECT_FALSE(taken.count(text)) << text.toStdString() << " " << taken[text].toStdString()
                                      << " " << item->objectName().toStdString();
      taken[text] = item->objectName();
    }
  }
  QString letters;
  for (QAction* top : window->menuBar()->actions()) {
    const QString title = top->text();
    const qsizetype amp = title.indexOf(u'&');
    ASSERT_NE(amp, -1) << title.toStdString();
    const QChar letter = title.at(amp + 1).toUpper();
    EXPECT_EQ(letters.indexOf(letter), -1) << title.toStdString();
    letters += letter;
  }
}

}  // namespace
}  // namespace kubisto::app::test
