#include "app_test_support.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include "app/editing/command_scope.h"
#include "app/host/paths.h"
#include "app/host/sound_switch.h"
#include "app/scripting/api_code_module.h"
#include "app/windows/frm_file.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "platform/picture.h"

namespace kubisto::app::test {

namespace {

std::string Cell(std::int32_t a, std::int32_t b, std::int32_t c) {
  return std::to_string(a) + "," + std::to_string(b) + "," + std::to_string(c);
}

// Puts the user's settings (sound, window place) into the folder, and reads the sound switch from
// there again.
// The folder of the settings outside a shell fixture, for the whole test program.
QString g_programSettings;

void UseSettingsIn(const QString& folder) {
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder);
  QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder);
  ReloadSoundSetting();
}

// One Qt application for the whole test program, on the offscreen platform and SDL's dummy
// sound driver unless the environment chose otherwise.
class QtEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) qputenv("SDL_AUDIODRIVER", "dummy");
    static int argc = 1;
    static char name[] = "app_tests";
    static char* argv[] = {name, nullptr};
    m_app = new QApplication(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    // No test reads or writes the user's own settings.
    m_settings = std::make_unique<QTemporaryDir>();
    g_programSettings = m_settings->path() + "/settings";
    UseSettingsIn(g_programSettings);
    // The file dialogs are Qt's own, which a test can fill in and accept.
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  }
  void TearDown() override {
    delete m_app;
    m_app = nullptr;
  }

 private:
  QApplication* m_app = nullptr;
  std::unique_ptr<QTemporaryDir> m_settings;
};

[[maybe_unused]] ::testing::Environment* const g_qt =
    ::testing::AddGlobalTestEnvironment(new QtEnvironment);

}  // namespace

// --- FakeWorkRoom ---

void FakeWorkRoom::Record(const std::string& call) {
  calls.push_back(call);
  if (onCall) onCall(call);
}

std::vector<std::string> FakeWorkRoom::Commands() const {
  std::vector<std::string> out;
  for (const std::string& call : calls)
    if (call != "CurrentBlock" && call != "Divide" && call != "Blocks" && call != "Redraw")
      out.push_back(call);
  return out;
}

void FakeWorkRoom::CurrentBlock(std::int32_t& X, std::int32_t& Y, std::int32_t& Z,
                                std::int32_t& Color) {
  X = x;
  Y = y;
  Z = z;
  Color = x == -1 ? 0 : color;
  Record("CurrentBlock");
}
std::int32_t FakeWorkRoom::Divide() {
  Record("Divide");
  return divide;
}
void FakeWorkRoom::SetDivide(std::int32_t NewValue) {
  divide = NewValue;
  x = y = z = -1;
  Record("SetDivide(" + std::to_string(NewValue) + ")");
}
void FakeWorkRoom::SetHandleOfPictureBoxForD3dIO(std::uint32_t NewValue) {
  Record("HandleOfPictureBoxForD3dIO(" + std::to_string(NewValue) + ")");
}
void FakeWorkRoom::ResetData() {
  x = y = z = -1;
  Record("ResetData");
}
void FakeWorkRoom::SaveData(const std::string& PathAndName) {
  Record("SaveData(" + PathAndName + ")");
}
void FakeWorkRoom::LoadData(const std::string& PathAndName) {
  Record("LoadData(" + PathAndName + ")");
  if (failLoad) throw std::runtime_error("cannot read " + PathAndName);
}
void FakeWorkRoom::ViewPicked(float X, float Y) {
  Record("ViewPicked(" + std::to_string(static_cast<int>(X)) + "," +
         std::to_string(static_cast<int>(Y)) + ")");
  if (pickSelects) {
    x = pickX;
    y = pickY;
    z = pickZ;
    color = pickColor;
  }
}
void FakeWorkRoom::CopyToClipBoard() { Record("CopyToClipBoard"); }
bool FakeWorkRoom::Move(const std::string& Direction) {
  Record("Move(" + Direction + ")");
  return true;
}
bool FakeWorkRoom::DelBlock() {
  Record("DelBlock");
  const bool had = x != -1;
  x = y = z = -1;
  return had;
}
void FakeWorkRoom::AddBlock(std::int32_t X, std::int32_t Y, std::int32_t Z, std::int32_t theColor) {
  Record("AddBlock(" + Cell(X, Y, Z) + "," + std::to_string(theColor) + ")");
  x = X;
  y = Y;
  z = Z;
  color = theColor;
}
void FakeWorkRoom::Turn(const std::string& Axis) { Record("Turn(" + Axis + ")"); }
void FakeWorkRoom::SetView(const std::string& View) { Record("SetView(" + View + ")"); }
void FakeWorkRoom::Redraw() { Record("Redraw"); }
std::vector<LayoutRecord> FakeWorkRoom::Blocks() {
  Record("Blocks");
  return {};
}
void FakeWorkRoom::ReplaceBlocks(std::int32_t NewDivide, const std::vector<LayoutRecord>& blocks) {
  Record("ReplaceBlocks(" + std::to_string(NewDivide) + "," + std::to_string(blocks.size()) + ")");
  divide = NewDivide;
}

// --- Sound player ---

void RecordingWavePlayer::Play(const std::string& path, bool wait) {
  sounds.push_back({path, wait});
  if (onPlay) onPlay(sounds.back());
}

// --- Fixture state ---

namespace {
std::unique_ptr<QTemporaryDir> g_dir;
}

ShellFixtureState::ShellFixtureState() {
  g_dir = std::make_unique<QTemporaryDir>();
  programDir = g_dir->path().toStdString();
  QDir(g_dir->path()).mkdir("data");
  // The user's settings start empty in a folder of the test's own.
  UseSettingsIn(g_dir->path() + "/settings");
  SetProgramDir(programDir);
  services.programDir = programDir;
  services.appTitle = "Kubisto";
  services.onDoEvents = [] { QApplication::processEvents(); };
  // As the program's services: through the sound switch to the player.
  services.onPlayWave = [](const std::string& path, bool wait) {
    ApiCodeModule::PlayWave(path, wait ? 1 : 0);
  };
  services.onSoundsWait = [] { return SoundsWait(); };
  services.onEndProgram = [] { throw ProgramEnded(); };
  services.onEndRequested = [] { return EndPending(); };  // as the program's services
  setServices(&services);
  setWavePlayer(&sounds);
}

ShellFixtureState::~ShellFixtureState() {
  modMain::g_objWorkRoom.reset();
  modMain::SetWorkRoomFactory({});
  setWavePlayer(nullptr);
  setServices(nullptr);
  SetProgramDir("");
  UseSettingsIn(g_programSettings);
  // Windows deleted later by the code under test go now.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  g_dir.reset();
}

// --- Modal windows and pop-ups ---

namespace {

void PollFor(std::function<QWidget*()> find, std::function<void(QWidget*)> action, int triesLeft) {
  QTimer::singleShot(10, [find, action, triesLeft] {
    if (QWidget* widget = find()) {
      action(widget);
    } else if (triesLeft > 0) {
      PollFor(find, action, triesLeft - 1);
    } else {
      ADD_FAILURE() << "the expected window did not appear";
    }
  });
}

}  // namespace

void OnNextModal(std::function<void(QWidget*)> action) {
  PollFor([] { return QApplication::activeModalWidget(); }, std::move(action), 500);
}

void OnNextPopup(std::function<void(QWidget*)> action) {
  PollFor([] { return QApplication::activePopupWidget(); }, std::move(action), 500);
}

void Pump(int ms) { QTest::qWait(ms); }

frmMain* StartRealProgram() {
  modMain::SetWorkRoomFactory(CreateCWorkRoom);
  modMain::Main();
  return modMain::MainWindow();
}

void EndRealProgram() {
  modMain::FinKubisto();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void ClickFileName(frmFile* files, int row) {
  QListWidget* list = files->filFiles();
  const QRect at = list->visualItemRect(list->item(row));
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, at.center());
}

}  // namespace kubisto::app::test
