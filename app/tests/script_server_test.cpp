// The script server in the real program: requests wait while a modal window is open or another
// command runs, then act as the window's own commands (sounds, status bar), and clients that
// leave are forgotten.
#include "app/script_server.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <memory>

#include "app/command_scope.h"
#include "app/frm_main.h"
#include "app/mod_main.h"
#include "app/status_bar.h"
#include "app_test_support.h"

namespace kubisto::app::test {
namespace {

class ScriptServerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    window = StartRealProgram();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(folder.isValid());
    server = new ScriptServer(window);
    ASSERT_TRUE(server->Listen(folder.filePath("kubisto.sock")))
        << server->ErrorText().toStdString();
    Pump(30);
  }
  void TearDown() override { EndRealProgram(); }

  std::unique_ptr<QLocalSocket> Client() {
    auto socket = std::make_unique<QLocalSocket>();
    socket->connectToServer(folder.filePath("kubisto.sock"));
    EXPECT_TRUE(socket->waitForConnected(2000));
    return socket;
  }
  static void Send(QLocalSocket& socket, const QByteArray& line) {
    socket.write(line + '\n');
    socket.flush();
  }
  // The next reply, waiting up to ms; an empty object when none came.
  static QJsonObject Reply(QLocalSocket& socket, int ms) {
    for (int waited = 0; !socket.canReadLine() && waited < ms; waited += 10) Pump(10);
    if (!socket.canReadLine()) return {};
    return QJsonDocument::fromJson(socket.readLine()).object();
  }
  size_t BlockCount() { return modMain::g_objWorkRoom->Blocks().size(); }

  ShellFixtureState state;
  QTemporaryDir folder;
  frmMain* window = nullptr;
  ScriptServer* server = nullptr;
};

const QByteArray kAdd =
    R"({"id": 1, "cmd": "add", "args": {"x": 1, "y": 0, "z": 2, "colour": 255}})";

TEST_F(ScriptServerTest, ARequestWaitsUntilTheModalWindowClosesThenActsAsTheCommand) {
  auto client = Client();
  state.sounds.sounds.clear();
  bool waitedWhileOpen = false;
  OnNextModal([&](QWidget* modal) {
    Send(*client, kAdd);
    waitedWhileOpen = Reply(*client, 300).isEmpty() && BlockCount() == 0;
    modal->close();
  });
  window->mnuHelpVersion_Click();  // the version window, modal
  EXPECT_TRUE(waitedWhileOpen);
  const QJsonObject reply = Reply(*client, 3000);
  EXPECT_EQ(reply.value("ok"), QJsonValue(true));
  EXPECT_EQ(reply.value("result"), QJsonValue(true));
  ASSERT_EQ(BlockCount(), 1u);
  EXPECT_EQ(modMain::g_objWorkRoom->Blocks()[0], (LayoutRecord{1, 0, 2, 255}));
  // The block is current, as the watchman's status bar shows; the add made its sound.
  Pump(400);
  EXPECT_EQ(window->sbrStatus()->PanelText(2), QStringLiteral("(1,0,2)を選択"));
  ASSERT_FALSE(state.sounds.sounds.empty());
  EXPECT_NE(state.sounds.sounds.back().path.find("move.wav"), std::string::npos);
}

TEST_F(ScriptServerTest, ARequestNeverRunsInsideAnotherCommand) {
  auto client = Client();
  {
    CommandScope running;
    Send(*client, kAdd);
    EXPECT_TRUE(Reply(*client, 200).isEmpty());
    EXPECT_EQ(BlockCount(), 0u);
  }
  EXPECT_EQ(Reply(*client, 3000).value("ok"), QJsonValue(true));
  EXPECT_EQ(BlockCount(), 1u);
}

TEST_F(ScriptServerTest, LoadAndSaveShowTheFileInTheStatusBarAndDivideFollowsTheMenu) {
  auto client = Client();
  Send(*client, R"({"id": 1, "cmd": "set_divide", "args": {"divide": 3}})");
  ASSERT_EQ(Reply(*client, 3000).value("ok"), QJsonValue(true));
  EXPECT_TRUE(window->mnuOptionDivideNum(0)->isChecked());
  Send(*client, kAdd);
  ASSERT_EQ(Reply(*client, 3000).value("ok"), QJsonValue(true));
  const QString path = folder.filePath("s.kbs");
  Send(*client,
       QJsonDocument(QJsonObject{{"id", 2}, {"cmd", "save"}, {"args", QJsonObject{{"path", path}}}})
           .toJson(QJsonDocument::Compact));
  ASSERT_EQ(Reply(*client, 3000).value("ok"), QJsonValue(true));
  EXPECT_EQ(window->sbrStatus()->PanelText(1), path);
  Send(*client, R"({"id": 3, "cmd": "load", "args": {"path": "/no/such/file.kbs"}})");
  const QJsonObject failed = Reply(*client, 3000);
  EXPECT_EQ(failed.value("error"), QJsonValue("OSError"));
  EXPECT_TRUE(window->sbrStatus()->PanelText(1).isEmpty());
  EXPECT_EQ(BlockCount(), 1u);
}

TEST_F(ScriptServerTest, RequestsOfAClientThatLeftAreDropped) {
  auto leaving = Client();
  {
    CommandScope running;  // the requests have to wait...
    for (int i = 0; i < 3; ++i)
      Send(*leaving, QByteArray(R"({"id": 1, "cmd": "add", "args": {"x": )") +
                         QByteArray::number(i) + R"(, "y": 0, "z": 0, "colour": 255}})");
    Pump(100);
    leaving->disconnectFromServer();  // ...and their client goes meanwhile
    Pump(100);
  }
  Pump(200);
  EXPECT_EQ(BlockCount(), 0u);
  auto next = Client();
  Send(*next, kAdd);
  EXPECT_EQ(Reply(*next, 3000).value("result"), QJsonValue(true));
}

TEST_F(ScriptServerTest, ASecondServerOnTheSamePathRefusesToListen) {
  ScriptServer second;
  EXPECT_FALSE(second.Listen(folder.filePath("kubisto.sock")));
  EXPECT_FALSE(second.ErrorText().isEmpty());
  EXPECT_EQ(QFile::permissions(folder.filePath("kubisto.sock")) &
                (QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ReadOther |
                 QFileDevice::WriteOther),
            QFileDevice::Permissions());
}

}  // namespace
}  // namespace kubisto::app::test
