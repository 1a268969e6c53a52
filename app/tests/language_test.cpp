// The language of the program's windows. LanguageFor is checked directly; the walk through every
// window runs in ctest entries of its own (app_language_*), each with the system language in LANG
// and the language expected in KUBISTO_TEST_LANGUAGE (and --lang's value in
// KUBISTO_TEST_LANG_OPTION), because a process takes its language once. Skipped without them.
#include "app/host/language.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QColorDialog>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QToolButton>
#include <QXmlStreamReader>
#include <functional>
#include <vector>

#include "app/host/host_messages.h"
#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/program_title.h"
#include "app/windows/status_bar.h"
#include "app/windows/tool_box.h"
#include "app_test_support.h"
#include "workroom/room_commands.h"

namespace kubisto::app::test {
namespace {

TEST(Language, ChosenByTheOptionElseByTheSystemsFirstLanguage) {
  const QStringList japanese{"ja-JP", "ja-Jpan-JP", "ja"};
  const QStringList english{"en-US", "en-Latn-US", "en"};
  const QStringList german{"de-DE", "de-Latn-DE", "de"};
  EXPECT_EQ(LanguageFor("", japanese), Language::kJapanese);
  EXPECT_EQ(LanguageFor("", english), Language::kEnglish);
  EXPECT_EQ(LanguageFor("", german), Language::kEnglish);
  // Only the first language counts.
  EXPECT_EQ(LanguageFor("", {"de-DE", "ja"}), Language::kEnglish);
  EXPECT_EQ(LanguageFor("", {"ja", "en-US"}), Language::kJapanese);
  // The C locale, or none at all, keeps the program as written.
  EXPECT_EQ(LanguageFor("", {"C"}), Language::kJapanese);
  EXPECT_EQ(LanguageFor("", {"POSIX"}), Language::kJapanese);
  EXPECT_EQ(LanguageFor("", {}), Language::kJapanese);
  // --lang wins over the system.
  EXPECT_EQ(LanguageFor("en", japanese), Language::kEnglish);
  EXPECT_EQ(LanguageFor("en", {"C"}), Language::kEnglish);
  EXPECT_EQ(LanguageFor("ja", english), Language::kJapanese);
}

TEST(Language, MessagesOfTheLowerLayersOtherThanTheListedOnesAreShownAsTheyCame) {
  const char raw[] = "Layout file \"a\0b\", line 2";
  const std::string withZero(raw, sizeof raw - 1);
  EXPECT_EQ(HostText(withZero), QString::fromUtf8(raw, sizeof raw - 1));
  EXPECT_EQ(HostText("Cannot open layout file \"x.kbs\""),
            QStringLiteral("Cannot open layout file \"x.kbs\""));
  EXPECT_EQ(HostText("ファイルが読めません。"), QStringLiteral("ファイルが読めません。"));
  EXPECT_TRUE(HostText("").isEmpty());
}

// Kana, CJK ideographs and punctuation, full-width and half-width forms.
bool HasJapanese(const QString& text) {
  for (const QChar c : text) {
    const char16_t u = c.unicode();
    if ((u >= 0x3000 && u <= 0x30FF) || (u >= 0x3400 && u <= 0x9FFF) ||
        (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFF00 && u <= 0xFFEF))
      return true;
  }
  return false;
}

// Every text the walk saw, with where it was seen.
struct Seen {
  QString where;
  QString text;
  bool mayBeEmpty;
};

class LanguageWalkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const QString expected = qEnvironmentVariable("KUBISTO_TEST_LANGUAGE");
    if (expected.isEmpty()) GTEST_SKIP() << "run by the app_language_* ctest entries";
    english = expected == QLatin1String("en");
    InstallLanguageFor(qEnvironmentVariable("KUBISTO_TEST_LANG_OPTION"));
    ASSERT_EQ(CurrentLanguage(), english ? Language::kEnglish : Language::kJapanese);
    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
    Pump(30);
  }
  void TearDown() override {
    if (window != nullptr) EndRealProgram();
  }

  void Note(const QString& where, const QString& text, bool mayBeEmpty = false) {
    seen.push_back({where, text, mayBeEmpty});
  }

  // The texts of a window and of every visible control in it.
  void NoteWindow(const QString& where, QWidget* w, bool titleMayBeEmpty = false) {
    Note(where + " title", w->windowTitle(), titleMayBeEmpty);
    for (QWidget* child : w->findChildren<QWidget*>()) {
      if (!child->isVisibleTo(w)) continue;
      const QString name = where + "/" + child->objectName();
      if (auto* label = qobject_cast<QLabel*>(child)) Note(name, label->text(), true);
      if (auto* button = qobject_cast<QAbstractButton*>(child)) Note(name, button->text(), true);
      if (auto* edit = qobject_cast<QLineEdit*>(child)) Note(name, edit->placeholderText(), true);
      Note(name + " tooltip", child->toolTip(), true);
    }
  }

  void NoteMenu(const QString& where, QMenu* menu) {
    Note(where, menu->title());
    for (QAction* entry : menu->actions()) {
      if (entry->isSeparator()) continue;
      if (entry->menu() != nullptr) {
        NoteMenu(where + "/" + entry->menu()->objectName(), entry->menu());
        continue;
      }
      Note(where + "/" + entry->objectName(), entry->text());
    }
  }

  void NoteMessageBox(const QString& where, QMessageBox* box) {
    Note(where + " text", box->text());
    Note(where + " title", box->windowTitle());
    for (QAbstractButton* b : box->buttons()) Note(where + " button", b->text());
  }

  bool english = false;
  ShellFixtureState state;
  frmMain* window = nullptr;
  std::vector<Seen> seen;
};

TEST_F(LanguageWalkTest, EveryWindowCommandAndMessageSpeaksTheChosenLanguage) {
  // The main window: caption, menus, toolbar, tool panel, view, status bar.
  Note("caption", window->windowTitle());
  for (QAction* top : window->menuBar()->actions())
    NoteMenu(top->menu()->objectName(), top->menu());
  NoteMenu("mnuPopupColor", window->mnuPopupColor());
  for (QAction* item : window->tlbToolBar()->actions()) {
    if (item->isSeparator()) continue;
    Note(item->objectName() + " tooltip", item->toolTip());
    QWidget* shown = window->tlbToolBar()->widgetForAction(item);
    ASSERT_NE(shown, nullptr);
    Note(item->objectName() + " accessible name", shown->accessibleName());
    Note(item->objectName() + " accessible description", shown->accessibleDescription());
  }
  for (QPushButton* button : window->picToolBox()->findChildren<QPushButton*>()) {
    Note(button->objectName() + " tooltip", button->toolTip());
    Note(button->objectName() + " accessible name", button->accessibleName());
    Note(button->objectName() + " accessible description", button->accessibleDescription());
    EXPECT_EQ(button->accessibleName(), button->toolTip()) << button->objectName().toStdString();
  }
  Note("view accessible name", window->picView()->accessibleName());
  Note("status 2, nothing selected", window->sbrStatus()->PanelText(2));
  Note("view description, nothing selected", window->picView()->accessibleDescription());

  // A block: the status bar and the view's description tell what is selected.
  window->button("cmdAdd")->click();
  Pump(30);
  Note("status 2, a block selected", window->sbrStatus()->PanelText(2));
  EXPECT_EQ(window->picView()->accessibleDescription(), window->sbrStatus()->PanelText(2));

  // The unsaved question, then the file window to load; OK without a name, then Cancel.
  OnNextModal([this](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    NoteMessageBox("unsaved question", box);
    OnNextModal([this](QWidget* files) {
      NoteWindow("load window", files);
      static_cast<frmFile*>(files)->cmdOK()->click();
      static_cast<frmFile*>(files)->cmdCancel()->click();
    });
    box->button(QMessageBox::No)->click();
  });
  window->action("mnuFileLoad")->trigger();
  Note("status 1 after a load", window->sbrStatus()->PanelText(1), true);

  OnNextModal([this](QWidget* files) {
    NoteWindow("save window", files);
    static_cast<frmFile*>(files)->cmdCancel()->click();
  });
  window->action("mnuFileSave")->trigger();

  // The file dialog to open anywhere (cancelled), the question before a file is replaced, and
  // a bad layout's failure.
  OnNextModal([this](QWidget* dialog) {
    NoteWindow("open dialog", dialog);
    static_cast<QDialog*>(dialog)->reject();
  });
  window->action("mnuFileOpen")->trigger();
  const QString bad = QString::fromStdString(state.programDir) + "/data/bad.kbs";
  {
    QFile file(bad);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("3\r\n0,0,zero,255\r\n");
  }
  OnNextModal([this](QWidget* modal) {
    auto* box = qobject_cast<QMessageBox*>(modal);
    ASSERT_NE(box, nullptr);
    NoteMessageBox("overwrite question", box);
    box->button(QMessageBox::No)->click();
  });
  EXPECT_FALSE(frmMain::MayOverwrite(window, bad));
  window->OpenLayout(bad.toStdString());

  // The colour window of "other colour".
  OnNextModal([this](QWidget* modal) {
    auto* dialog = qobject_cast<QColorDialog*>(modal);
    ASSERT_NE(dialog, nullptr);
    NoteWindow("colour window", dialog);
    dialog->reject();
  });
  window->action("mnuPopupColorOther")->trigger();

  // The version window has no caption: a frame without a title bar.
  OnNextModal([this](QWidget* version) {
    NoteWindow("version window", version, true);
    QTest::mouseClick(version, Qt::LeftButton, {}, QPoint(30, 60));
  });
  window->action("mnuHelpVersion")->trigger();

  // The help of the build, in the test's program folder.
  const QDir built(QStringLiteral(KUBISTO_BIN_DIR "/help"));
  QDir(QString::fromStdString(state.programDir)).mkpath("help");
  for (const QString& name : built.entryList(QDir::Files))
    QFile::copy(built.filePath(name), QString::fromStdString(state.programDir) + "/help/" + name);
  window->action("mnuHelpHelp")->trigger();
  auto* help = window->findChild<QWidget*>("helpWindow");
  ASSERT_NE(help, nullptr);
  Note("help caption", help->windowTitle());
  auto* browser = help->findChild<QTextBrowser*>("helpBrowser");
  ASSERT_NE(browser, nullptr);
  Note("help document title", browser->documentTitle());
  Note("help document", browser->toPlainText());

  // Messages of the layers below, as the host services show them.
  for (const char* text :
       {"ファイルが読めません。", "保存すべき頂点がありません。",
        "Direct3Dの初期化に失敗しました。終了します", "予期しないエラーが発生しました。"})
    Note("host message", HostText(text));
  Note("program title", ProgramTitle());
  for (const auto& message : state.services.messages) {
    Note("message", QString::fromStdString(message.text));
    Note("message caption", QString::fromStdString(message.caption));
  }
  ASSERT_FALSE(state.services.messages.empty()) << "OK without a name asks for one";

  ASSERT_GT(seen.size(), 100u);
  for (const Seen& s : seen) {
    const std::string where = s.where.toStdString() + ": \"" + s.text.toStdString() + "\"";
    if (!s.mayBeEmpty) {
      EXPECT_FALSE(s.text.trimmed().isEmpty()) << where;
    }
    if (english) {
      EXPECT_FALSE(HasJapanese(s.text)) << where;
    }
  }
  if (!english) {
    // The program as written: a few texts of each kind, exactly.
    EXPECT_EQ(window->windowTitle(), QString::fromUtf8(kProgramTitle));
    EXPECT_EQ(window->action("mnuFileNew")->text(), QStringLiteral("新規作成"));
    EXPECT_EQ(window->button("cmdAdd")->toolTip(), QStringLiteral("ひとつブロックをふやします"));
    EXPECT_EQ(window->tlbToolBar()->actions().front()->toolTip(),
              QStringLiteral("アプリケーションを終了します。"));
    EXPECT_EQ(state.services.messages.front().text, "ファイル名を入力してください");
    EXPECT_EQ(state.services.messages.front().caption, "注意");
  }
}

// Every text of the translation file, looked up as the program looks it up: unchanged in
// Japanese, English (and changed) in English.
TEST(LanguageTexts, EveryTranslatedTextInTheChosenLanguage) {
  const QString expected = qEnvironmentVariable("KUBISTO_TEST_LANGUAGE");
  if (expected.isEmpty()) GTEST_SKIP() << "run by the app_language_* ctest entries";
  InstallLanguageFor(qEnvironmentVariable("KUBISTO_TEST_LANG_OPTION"));
  QFile file(QStringLiteral(KUBISTO_SOURCE_DIR "/translations/kubisto_en.ts"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  QXmlStreamReader xml(&file);
  QString context;
  int texts = 0;
  while (!xml.atEnd()) {
    if (xml.readNext() != QXmlStreamReader::StartElement) continue;
    if (xml.name() == QLatin1String("name")) context = xml.readElementText();
    if (xml.name() != QLatin1String("source")) continue;
    const QString source = xml.readElementText();
    const QString shown =
        QCoreApplication::translate(context.toUtf8().constData(), source.toUtf8().constData());
    ++texts;
    if (expected == QLatin1String("en")) {
      EXPECT_NE(shown, source) << source.toStdString();
      EXPECT_FALSE(HasJapanese(shown)) << shown.toStdString();
    } else {
      EXPECT_EQ(shown, source);
    }
  }
  EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
  EXPECT_GT(texts, 60);
}

// The note of a .vox file of several models: in English, the window's words are the scripts'.
TEST(LanguageTexts, TheSeveralModelsNoteOfTheWindowIsTheScriptsInEnglish) {
  const QString expected = qEnvironmentVariable("KUBISTO_TEST_LANGUAGE");
  if (expected.isEmpty()) GTEST_SKIP() << "run by the app_language_* ctest entries";
  InstallLanguageFor(qEnvironmentVariable("KUBISTO_TEST_LANG_OPTION"));
  const QString shown =
      QCoreApplication::translate("kubisto::app::frmMain", commands::kSeveralModelsNote).arg(3);
  if (expected == QLatin1String("en"))
    EXPECT_EQ(shown.toStdString(), commands::SeveralModelsNote(3));
  else
    EXPECT_TRUE(shown.contains(QLatin1String("3")) && HasJapanese(shown)) << shown.toStdString();
}

}  // namespace
}  // namespace kubisto::app::test
