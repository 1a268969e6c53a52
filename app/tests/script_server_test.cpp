// The script server in the real program: requests wait while a modal window is open or another
// command runs, then act as the window's own commands (sounds, status bar), and clients that
// leave are forgotten.
#include "app/scripting/script_server.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocalSocket>
#include <QTemporaryDir>
#include <QTimer>
#include <cstring>
#include <memory>
#include <vector>

#include "app/editing/command_scope.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"
#include "app/windows/status_bar.h"
#include "app_test_support.h"
#include "workroom/layout_file.h"

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
  static QByteArray Request(const QString& cmd, const QJsonObject& args) {
    return QJsonDocument(QJsonObject{{"id", 1}, {"cmd", cmd}, {"args", args}})
        .toJson(QJsonDocument::Compact);
  }

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

TEST_F(ScriptServerTest, ClientsBeyondTheCapAndRequestsBeyondTheQueueAreRefused) {
  // A request line of about 60 KB that the program answers quickly once it runs.
  const QByteArray line =
      R"({"id": 1, "cmd": "blocks", "pad": ")" + QByteArray(60000, 'a') + R"("})";
  std::vector<std::unique_ptr<QLocalSocket>> clients;
  std::vector<int> answered;
  {
    CommandScope running;  // every request has to wait
    for (int i = 0; i < ScriptServer::kMaxClients + 4; ++i) clients.push_back(Client());
    // The clients beyond the cap are refused with a reply and closed.
    int tooMany = 0;
    for (int round = 0; round < 300 && tooMany < 4; ++round) {
      Pump(10);
      for (auto& c : clients) {
        if (!c->canReadLine()) continue;
        const QJsonObject reply = QJsonDocument::fromJson(c->readLine()).object();
        EXPECT_EQ(reply.value("ok"), QJsonValue(false));
        tooMany += reply.value("message").toString().contains("too many clients") ? 1 : 0;
      }
    }
    EXPECT_EQ(tooMany, 4);
    Pump(300);  // and closed a moment later
    // The others offer 32 requests each, twice what may wait of all of them together.
    for (auto& c : clients)
      if (c->state() == QLocalSocket::ConnectedState)
        for (int i = 0; i < 32; ++i) c->write(line + '\n');
    for (int round = 0; round < 1000; ++round) {
      bool busy = false;
      for (auto& c : clients)
        busy = busy || (c->state() == QLocalSocket::ConnectedState && c->bytesToWrite() > 0);
      if (!busy) break;
      Pump(10);
    }
    Pump(300);  // refused clients are closed a moment after their refusal
  }
  // Once free, the program answers what was let wait, and no more than the queue holds.
  int refusedForTheQueue = 0, replies = 0;
  for (int round = 0; round < 500; ++round) Pump(10);
  for (auto& c : clients) {
    while (c->canReadLine()) {
      const QJsonObject reply = QJsonDocument::fromJson(c->readLine()).object();
      if (reply.value("ok") == QJsonValue(true)) {
        ++replies;
      } else if (reply.value("message").toString().contains("waiting")) {
        ++refusedForTheQueue;
      }
    }
  }
  EXPECT_GT(refusedForTheQueue, 0);
  EXPECT_GT(replies, 0);
  EXPECT_LE(static_cast<qsizetype>(replies) * line.size(), ScriptServer::kMaxQueued);
  // The server still takes new clients.
  clients.clear();
  Pump(300);
  auto next = Client();
  Send(*next, kAdd);
  EXPECT_EQ(Reply(*next, 3000).value("result"), QJsonValue(true));
}

TEST_F(ScriptServerTest, OneClientMayHaveAsManyRequestsWaitingAsTheLimitAndNoMore) {
  auto full = Client();
  auto over = Client();
  {
    CommandScope running;  // every request has to wait
    QByteArray lines;
    for (int i = 0; i < ScriptServer::kMaxWaiting; ++i) lines += Request("blocks", {}) + '\n';
    full->write(lines);
    full->flush();
    // One request more than may wait: the client is refused and none of its requests runs.
    lines.clear();
    for (int i = 0; i <= ScriptServer::kMaxWaiting; ++i) lines += kAdd + '\n';
    over->write(lines);
    over->flush();
    const QJsonObject refusal = Reply(*over, 3000);
    EXPECT_EQ(refusal.value("ok"), QJsonValue(false));
    EXPECT_TRUE(refusal.value("message").toString().contains("too many requests waiting"))
        << refusal.value("message").toString().toStdString();
    EXPECT_FALSE(full->canReadLine());
  }
  int answered = 0;
  for (int waited = 0; answered < ScriptServer::kMaxWaiting && waited < 10000; waited += 10) {
    Pump(10);
    while (full->canReadLine()) {
      const QJsonObject reply = QJsonDocument::fromJson(full->readLine()).object();
      EXPECT_EQ(reply.value("ok"), QJsonValue(true));
      ++answered;
    }
  }
  EXPECT_EQ(answered, ScriptServer::kMaxWaiting);
  Pump(300);
  EXPECT_EQ(BlockCount(), 0u);
  EXPECT_NE(over->state(), QLocalSocket::ConnectedState);
}

TEST_F(ScriptServerTest, TheSocketIsRemovedOnExitOnlyWhileItIsStillTheServersOwn) {
  const QString path = folder.filePath("own.sock");
  {
    ScriptServer own;
    ASSERT_TRUE(own.Listen(path)) << own.ErrorText().toStdString();
  }
  EXPECT_FALSE(QFile::exists(path)) << "the server's own socket goes with it";

  // Another socket put in its place meanwhile stays.
  auto server = std::make_unique<ScriptServer>();
  ASSERT_TRUE(server->Listen(path));
  ASSERT_EQ(::unlink(QFile::encodeName(path).constData()), 0);
  const int other = ::socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  const QByteArray native = QFile::encodeName(path);
  std::memcpy(address.sun_path, native.constData(), static_cast<size_t>(native.size()));
  ASSERT_EQ(::bind(other, reinterpret_cast<sockaddr*>(&address), sizeof(address)), 0);
  server.reset();
  EXPECT_TRUE(QFile::exists(path));
  ::close(other);

  // A socket left by a program that has gone is replaced; a file that is no socket is not.
  ScriptServer next;
  EXPECT_TRUE(next.Listen(path)) << next.ErrorText().toStdString();
  const QString plain = folder.filePath("plain");
  QFile file(plain);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("keep");
  file.close();
  ScriptServer refused;
  EXPECT_FALSE(refused.Listen(plain));
  EXPECT_TRUE(refused.ErrorText().contains("not a socket"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_EQ(file.readAll(), QByteArray("keep"));
}

TEST_F(ScriptServerTest, ScriptsNeverAskAndKeepUnsavedWorkUnlessTold) {
  auto client = Client();
  Send(*client, kAdd);
  ASSERT_EQ(Reply(*client, 3000).value("ok"), QJsonValue(true));
  // No question window opens (the reply would wait behind it): the request fails instead.
  for (const QByteArray& request : {Request("set_divide", {{"divide", 4}}), Request("clear", {}),
                                    Request("load", {{"path", folder.filePath("none.kbs")}})}) {
    Send(*client, request);
    const QJsonObject reply = Reply(*client, 3000);
    EXPECT_EQ(reply.value("error"), QJsonValue("ValueError")) << request.toStdString();
    EXPECT_TRUE(reply.value("message").toString().contains("discard=True"));
  }
  EXPECT_EQ(BlockCount(), 1u);
  EXPECT_TRUE(window->mnuOptionDivideNum(2)->isChecked());
  // Told, the cell count changes as the menu's would, its mark included.
  Send(*client, Request("set_divide", {{"divide", 4}, {"discard", true}}));
  ASSERT_EQ(Reply(*client, 3000).value("ok"), QJsonValue(true));
  EXPECT_EQ(modMain::g_objWorkRoom->Divide(), 4);
  EXPECT_TRUE(window->mnuOptionDivideNum(1)->isChecked());
  // Paths are taken as given: a backslash stays in the name.
  const QString odd = folder.filePath("a\\b.kbs");
  Send(*client, Request("save", {{"path", odd}}));
  ASSERT_EQ(Reply(*client, 3000).value("ok"), QJsonValue(true));
  EXPECT_TRUE(QFileInfo(odd).isFile());
  EXPECT_FALSE(window->history()->Modified());
  // A cell count other than the file's is unsaved work: the exit question would ask.
  Send(*client, Request("set_divide", {{"divide", 3}}));
  EXPECT_EQ(Reply(*client, 3000).value("ok"), QJsonValue(true));
  EXPECT_TRUE(window->history()->Modified());
  Send(*client, Request("set_divide", {{"divide", 5}}));
  EXPECT_EQ(Reply(*client, 3000).value("error"), QJsonValue("ValueError"));
  EXPECT_EQ(modMain::g_objWorkRoom->Divide(), 3);
}

TEST_F(ScriptServerTest, ALoadStoppedByTheProgramsEndAnswersAnErrorWithWhatWasLoaded) {
  std::vector<LayoutRecord> records;
  for (int z = 0; z < 5; ++z)
    for (int y = 0; y < 5; ++y)
      for (int x = 0; x < 5; ++x) records.push_back({x, y, z, 0xFF0000});
  const QString path = folder.filePath("full.kbs");
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  const std::string bytes = FormatLayout(5, records);
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
  file.close();

  auto client = Client();
  int sounds = 0;
  state.sounds.onPlay = [&](const RecordingWavePlayer::Sound&) {
    if (++sounds == 10)
      QTimer::singleShot(0, [this] { window->action("tlbToolBar_Fin")->trigger(); });
  };
  Send(*client, Request("load", {{"path", path}}));
  const QJsonObject reply = Reply(*client, 5000);
  state.sounds.onPlay = nullptr;
  EXPECT_EQ(reply.value("ok"), QJsonValue(false));
  EXPECT_EQ(reply.value("error"), QJsonValue("OSError"));
  const QString message = reply.value("message").toString();
  EXPECT_TRUE(message.contains("of 125 blocks were loaded")) << message.toStdString();
  EXPECT_TRUE(message.contains(path)) << message.toStdString();
}

}  // namespace
}  // namespace kubisto::app::test
