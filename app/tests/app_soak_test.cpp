// Thousands of random commands through the real main window, workroom, scene and engine: the
// buttons, menus, toolbar, clicks on the view, the colour menu, the file window in both modes and
// the cell count. After each step the status bar, the current block and the room's blocks agree
// with an independent model; now and then a saved layout is compared byte for byte. The run ends
// with an exit request that arrives during a load. KUBISTO_SOAK_STEPS=N sets the length.
#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <random>
#include <tuple>

#include "app/editing/command_scope.h"
#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/pic_view.h"
#include "app/windows/status_bar.h"
#include "app_test_support.h"
#include "workroom/layout_file.h"

#if defined(__SANITIZE_ADDRESS__)
#define KUBISTO_SOAK_SANITIZED 1
#endif

namespace kubisto::app::test {
namespace {

using Cell = std::tuple<int, int, int>;  // x, y, z
constexpr int kNone = -1;
constexpr std::int32_t kColours[] = {0x0000FF, 0xFF0000, 0x00FFFF, 0x00FF00, 0xFF00FF, 0xFFFF00};

int Steps() {
  if (const char* text = std::getenv("KUBISTO_SOAK_STEPS")) return std::max(1, std::atoi(text));
#ifdef KUBISTO_SOAK_SANITIZED
  return 300;
#else
  return 2000;
#endif
}

// What the commands should have left.
struct Model {
  int divide = 5;
  std::map<Cell, std::int32_t> blocks;
  Cell current{kNone, kNone, kNone};
  std::map<Cell, std::int32_t>
      savedBlocks;       // as last saved or loaded: other blocks are unsaved work
  int savedDivide = 0;   // the cell count of the file last saved or loaded (0: none yet)
  bool hasFile = false;  // the room was saved or loaded since the start or the last New

  bool Unsaved() const {
    // An empty room of no file holds nothing to lose.
    if (blocks.empty() && !hasFile) return false;
    return blocks != savedBlocks || (savedDivide != 0 && divide != savedDivide);
  }

  bool HasCurrent() const { return std::get<0>(current) != kNone; }
  bool Inside(int x, int y, int z) const {
    return x >= 0 && y >= 0 && z >= 0 && x < divide && y < divide && z < divide;
  }
  void Clear() {
    blocks.clear();
    current = {kNone, kNone, kNone};
  }
  std::vector<LayoutRecord> Records() const {  // in file order: z, then y, then x
    std::vector<LayoutRecord> records;
    for (const auto& [cell, colour] : blocks)
      records.push_back({std::get<0>(cell), std::get<1>(cell), std::get<2>(cell), colour});
    std::sort(records.begin(), records.end(), [](const LayoutRecord& a, const LayoutRecord& b) {
      return std::tie(a.z, a.y, a.x) < std::tie(b.z, b.y, b.x);
    });
    return records;
  }
  // A loaded layout: its blocks, and the last record in file order is current.
  void Loaded(const Model& file) {
    divide = file.divide;
    blocks = file.blocks;
    const auto records = Records();
    current = records.empty() ? Cell{kNone, kNone, kNone}
                              : Cell{records.back().x, records.back().y, records.back().z};
  }
};

// Answers the colour menu if a click brings it up: chooses the colour of the given index, or
// dismisses the menu for -1.
class PopupAnswer {
 public:
  explicit PopupAnswer(int choice) {
    m_timer.setInterval(2);
    QObject::connect(&m_timer, &QTimer::timeout, [this, choice] {
      QWidget* popup = QApplication::activePopupWidget();
      if (popup == nullptr) return;
      shown = true;
      m_timer.stop();
      const QList<QAction*> items = popup->actions();
      if (choice >= 0 && choice < items.size()) items[choice]->trigger();
      popup->close();
    });
    m_timer.start();
  }
  bool shown = false;

 private:
  QTimer m_timer;
};

// The undo history as the user sees it: each change of the blocks or the cell count, with the
// room before and after and the block that undo and redo leave current.
struct History {
  struct Entry {
    Model before, after;
    Cell undoCurrent, redoCurrent;
  };
  std::vector<Entry> entries;
  size_t done = 0;

  // The block current in `from` when the change took it away or recoloured it; none otherwise.
  static Cell Touched(const Model& from, const Model& to) {
    if (!from.HasCurrent()) return {kNone, kNone, kNone};
    const auto kept = to.blocks.find(from.current);
    const bool same = kept != to.blocks.end() && kept->second == from.blocks.at(from.current);
    return same ? Cell{kNone, kNone, kNone} : from.current;
  }
  // wholeRoom: new, load and cell count, whose undo leaves no block current.
  void Changed(const Model& before, const Model& after, bool wholeRoom) {
    if (before.divide == after.divide && before.blocks == after.blocks) return;
    entries.resize(done);
    const Cell none{kNone, kNone, kNone};
    entries.push_back({before, after, wholeRoom ? none : Touched(before, after),
                       wholeRoom ? after.current : Touched(after, before)});
    ++done;
  }
  static void Restore(Model& model, const Model& to, const Cell& current) {
    model.divide = to.divide;
    model.blocks = to.blocks;
    model.current = to.blocks.count(current) ? current : Cell{kNone, kNone, kNone};
  }
};

class AppSoakTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
  }
  void TearDown() override { EndRealProgram(); }

  std::string DataFile(const std::string& name) const { return state.programDir + "/data/" + name; }
  int Below(int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); }

  void Click(const char* button) { window->button(button)->click(); }

  void Add() {
    const int d = model.divide;
    Click("cmdAdd");
    const Cell spawn{d - 1, d - 1, d - 1};
    if (!model.blocks.count(spawn)) {
      model.blocks[spawn] = 0xFF0000;
      model.current = spawn;
    }
  }

  void Move(const char* button, int dx, int dy, int dz) {
    Click(button);
    if (!model.HasCurrent()) return;
    const auto [x, y, z] = model.current;
    const Cell to{x + dx, y + dy, z + dz};
    if (!model.Inside(x + dx, y + dy, z + dz) || model.blocks.count(to)) return;
    model.blocks[to] = model.blocks[model.current];
    model.blocks.erase(model.current);
    model.current = to;
  }

  void ClickView(bool right) {
    const QPoint at(Below(window->picView()->width()), Below(window->picView()->height()));
    const int choice = Below(7) - 1;
    PopupAnswer answer(choice);
    QTest::mouseClick(window->picView(), right ? Qt::RightButton : Qt::LeftButton, {}, at);
    // Whatever was hit is current now: a block of the model, or none.
    std::int32_t x = 0, y = 0, z = 0, c = 0;
    modMain::g_objWorkRoom->CurrentBlock(x, y, z, c);
    model.current = {x, y, z};
    if (x != kNone) {
      ASSERT_TRUE(model.blocks.count(model.current)) << "picked a cell without a block";
    }
    ASSERT_EQ(answer.shown, right && x != kNone)
        << "the colour menu shows exactly for a right click on a block";
    if (answer.shown && choice >= 0) model.blocks[model.current] = kColours[choice];
  }

  // Runs command, which replaces the room. With unsaved blocks the question "変更を保存しますか？"
  // comes first: answered No (then runs before the command goes on) or, now and then unless
  // mayCancel is false, Cancel. Returns whether the command went on.
  bool Answering(const std::function<void()>& command, std::function<void()> then = {},
                 bool mayCancel = true) {
    bool goOn = true;
    if (model.Unsaved()) {
      goOn = !mayCancel || Below(4) != 0;
      OnNextModal([goOn, then](QWidget* modal) {
        auto* box = qobject_cast<QMessageBox*>(modal);
        ASSERT_NE(box, nullptr) << "the question comes first";
        EXPECT_EQ(box->text(), QStringLiteral("変更を保存しますか？"));
        if (goOn && then) then();
        box->button(goOn ? QMessageBox::No : QMessageBox::Cancel)->click();
      });
    } else if (then) {
      then();
    }
    command();
    if (::testing::Test::HasFatalFailure()) return false;
    return goOn;
  }

  // The file window, answered by `answer`, for the toolbar's load or save.
  void WithFileWindow(const QString& key, std::function<void(frmFile*)> answer,
                      bool mayCancel = true) {
    auto fileWindow = [answer] {
      OnNextModal([answer](QWidget* modal) {
        auto* files = qobject_cast<frmFile*>(modal);
        ASSERT_NE(files, nullptr);
        answer(files);
        if (files->isVisible()) files->cmdCancel()->click();
      });
    };
    if (key == "Load") {
      Answering([&] { window->tlbToolBar_ButtonClick(key); }, fileWindow, mayCancel);
      return;
    }
    fileWindow();
    window->tlbToolBar_ButtonClick(key);
  }

  void Save() {
    static const char* const kNames[] = {"room",      "room.KBS", " spaced ",
                                         "other.txt", ".hidden",  ""};
    const std::string typed = kNames[Below(6)];
    const size_t messagesBefore = state.services.messages.size();
    WithFileWindow("Save", [&](frmFile* files) {
      if (Below(4) == 0 && files->filFiles()->count() > 0) {
        ClickFileName(files, Below(files->filFiles()->count()));
      } else {
        files->txtFileName()->setText(QString::fromStdString(typed));
      }
      // A file that is there already is replaced: the question is answered Yes.
      QTimer yes;
      QObject::connect(&yes, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && box->text().contains(QStringLiteral("上書きしますか？")))
          box->button(QMessageBox::Yes)->click();
      });
      yes.start(2);
      files->cmdOK()->click();  // an empty or hidden name: the warning, and the window stays
    });
    const std::string name = window->sbrStatus()->PanelText(1).toStdString();
    if (name.empty()) {
      ASSERT_EQ(state.services.messages.size(), messagesBefore + 1)
          << "an empty or hidden name is warned about";
      return;
    }
    std::string file = frmMain::AddLayoutExtension(QString::fromStdString(name)).toStdString();
    file = file.substr(file.find_last_of("/\\") + 1);
    saved[file] = model;
    model.savedBlocks = model.blocks;
    model.savedDivide = model.divide;
    model.hasFile = true;
  }

  void Load() {
    const int how = Below(5);
    std::string chosen;
    WithFileWindow("Load", [&](frmFile* files) {
      const int count = files->filFiles()->count();
      for (int row = 0; row < count; ++row)
        ASSERT_FALSE(files->filFiles()->item(row)->text().startsWith('.'))
            << "a hidden file is listed";
      if (how == 0) return;  // cancelled
      if (how == 1 || count == 0) {
        // A name that is not listed: hidden, or not there at all.
        chosen = Below(2) == 0 ? ".hidden.kbs" : "not-there.kbs";
        files->txtFileName()->setText(QString::fromStdString(chosen));
      } else {
        ClickFileName(files, Below(count));
        chosen = files->txtFileName()->text().toStdString();
      }
      files->cmdOK()->click();
    });
    if (chosen.empty()) return;
    const auto known = saved.find(chosen);
    if (known == saved.end()) return;  // an error: nothing changes
    model.Loaded(known->second);
    model.savedBlocks = model.blocks;
    model.savedDivide = model.divide;
    model.hasFile = true;
  }

  void Check(int step, const std::string& what) {
    SCOPED_TRACE("after step " + std::to_string(step) + ": " + what);
    window->tmrWatchMan_Timer();  // as its next tick would
    std::int32_t x = 0, y = 0, z = 0, c = 0;
    modMain::g_objWorkRoom->CurrentBlock(x, y, z, c);
    ASSERT_EQ(Cell(x, y, z), model.current);
    const auto [mx, my, mz] = model.current;
    const QString status = model.HasCurrent()
                               ? QStringLiteral("(%1,%2,%3)を選択").arg(mx).arg(my).arg(mz)
                               : QStringLiteral("選択中のブロックはないよ");
    ASSERT_EQ(window->sbrStatus()->PanelText(2), status);
    if (model.HasCurrent()) {
      ASSERT_EQ(c, model.blocks[model.current]);
    }
    ASSERT_EQ(modMain::g_objWorkRoom->Divide(), model.divide);
    ASSERT_TRUE(window->mnuOptionDivideNum(model.divide - 3)->isChecked());
    ASSERT_EQ(modMain::g_objWorkRoom->Blocks(), model.Records());
    if (step % 50 == 0) {
      const std::string file = state.programDir + "/check.kbs";
      modMain::g_objWorkRoom->SaveData(file);
      QFile bytes(QString::fromStdString(file));
      ASSERT_TRUE(bytes.open(QIODevice::ReadOnly));
      const QByteArray want =
          QByteArray::fromStdString(FormatLayout(model.divide, model.Records()));
      ASSERT_EQ(bytes.readAll(), want);
    }
  }

  ShellFixtureState state;
  QPointer<frmMain> window;
  std::mt19937 rng{20261208};
  Model model;
  History history;
  std::map<std::string, Model> saved;  // file name in the data folder -> what it holds
};

TEST_F(AppSoakTest, RandomCommandsThroughTheMainWindowKeepStatusBlocksAndFilesInStep) {
  const int steps = Steps();
  for (int step = 0; step < steps; ++step) {
    const int op = Below(100);
    std::string what;
    const Model before = model;
    bool wholeRoom = false;
    if (op < 22) {
      what = "add";
      Add();
    } else if (op < 28) {
      what = "delete";
      Click("cmdDelete");
      if (model.HasCurrent()) {
        model.blocks.erase(model.current);
        model.current = {kNone, kNone, kNone};
      }
    } else if (op < 46) {
      static const std::tuple<const char*, int, int, int> kMoves[] = {
          {"cmdX", 1, 0, 0},   {"cmdMX", -1, 0, 0}, {"cmdY", 0, 1, 0},
          {"cmdMY", 0, -1, 0}, {"cmdZ", 0, 0, 1},   {"cmdMZ", 0, 0, -1}};
      const auto& [button, dx, dy, dz] = kMoves[Below(6)];
      what = button;
      Move(button, dx, dy, dz);
    } else if (op < 52) {
      static const char* const kTurns[] = {"cmdUp", "cmdDown", "cmdLeft", "cmdRight"};
      what = kTurns[Below(4)];
      Click(what.c_str());
    } else if (op < 57) {
      static const char* const kViews[] = {"FrontView", "TopView", "SideView", "BirdView"};
      what = kViews[Below(4)];
      window->tlbToolBar_ButtonClick(QString::fromStdString(what));
    } else if (op < 72) {
      const bool right = Below(2) == 0;
      what = right ? "right click" : "left click";
      ClickView(right);
    } else if (op < 75) {
      const int index = Below(3);
      what = "cell count " + std::to_string(index + 3);
      wholeRoom = true;
      if (Answering([&] {
            window->action(QStringLiteral("mnuOptionDivideNum%1").arg(index))->trigger();
          })) {
        model.divide = index + 3;
        model.Clear();
      }
    } else if (op < 77) {
      what = "new";
      wholeRoom = true;
      if (Answering([&] { window->action("mnuFileNew")->trigger(); })) {
        model.Clear();
        model.hasFile = false;
      }
    } else if (op < 84) {
      what = "save";
      Save();
    } else if (op < 91) {
      what = "load";
      wholeRoom = true;
      Load();
    } else if (op < 93) {
      what = "copy";
      window->action("mnuEditCopy")->trigger();
    } else if (op < 95) {
      what = "turning";
      window->tlbToolBar_ButtonClick(Below(2) == 0 ? "ViewTurn" : "StopTurn");
    } else if (op < 96) {
      what = "version";
      OnNextModal(
          [](QWidget* version) { QTest::mouseClick(version, Qt::LeftButton, {}, QPoint(30, 60)); });
      window->action("mnuHelpVersion")->trigger();
    } else if (op < 98) {
      what = "undo";
      QAction* undo = window->action("mnuEditUndo");
      ASSERT_EQ(undo->isEnabled(), history.done > 0) << "at step " << step;
      undo->trigger();
      if (history.done > 0) {
        const History::Entry& entry = history.entries[--history.done];
        History::Restore(model, entry.before, entry.undoCurrent);
      }
    } else if (op < 99) {
      what = "redo";
      QAction* redo = window->action("mnuEditRedo");
      ASSERT_EQ(redo->isEnabled(), history.done < history.entries.size()) << "at step " << step;
      redo->trigger();
      if (history.done < history.entries.size()) {
        const History::Entry& entry = history.entries[history.done++];
        History::Restore(model, entry.after, entry.redoCurrent);
      }
    } else {
      what = "pending events";
      Pump(5);
    }
    if (what != "undo" && what != "redo") history.Changed(before, model, wholeRoom);
    Check(step, what);
    if (::testing::Test::HasFatalFailure()) return;
  }
  window->tlbToolBar_ButtonClick("StopTurn");
  // Only the warnings about empty and hidden names and the errors of files that are not there
  // were shown.
  for (const auto& message : state.services.messages) {
    const bool expected = message.text == "ファイル名を入力してください" ||
                          message.text.find("「.」で始め") != std::string::npos ||
                          message.text.find("not-there") != std::string::npos ||
                          message.text.find(".hidden.kbs") != std::string::npos;
    EXPECT_TRUE(expected) << message.text;
  }

  // The end: a full layout loading, and the exit button pressed meanwhile.
  Model full;
  for (int z = 0; z < 5; ++z)
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) full.blocks[{x, y, z}] = kColours[(x + y + z) % 6];
  QFile file(QString::fromStdString(DataFile("full.kbs")));
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(QByteArray::fromStdString(FormatLayout(5, full.Records())));
  file.close();
  int sounds = 0;
  state.sounds.onPlay = [&](const RecordingWavePlayer::Sound&) {
    if (++sounds == 40) QTimer::singleShot(0, [this] { window->tlbToolBar_ButtonClick("Fin"); });
  };
  WithFileWindow(
      "Load",
      [](frmFile* files) {
        const auto found = files->filFiles()->findItems("full.kbs", Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        ClickFileName(files, files->filFiles()->row(found.front()));
        files->cmdOK()->click();
      },
      false);
  state.sounds.onPlay = nullptr;
  EXPECT_GE(sounds, 40) << (state.services.messages.empty() ? ""
                                                            : state.services.messages.back().text);
  EXPECT_EQ(modMain::g_objWorkRoom, nullptr);
  ASSERT_FALSE(window.isNull());
  EXPECT_TRUE(window->Unloading());
}

}  // namespace
}  // namespace kubisto::app::test
