#include "app/script_server.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <csignal>

#include "app/command_scope.h"
#include "app/frm_main.h"
#include "app/mod_main.h"
#include "app/script_requests.h"

namespace kubisto::app {
namespace {

// How often waiting requests look again whether the program is free.
constexpr int kRetryMs = 20;
// How long a refused client has to read the refusal before its connection is closed.
constexpr int kRefusalGraceMs = 200;

void Send(QLocalSocket* socket, const QJsonObject& reply) {
  socket->write(QJsonDocument(reply).toJson(QJsonDocument::Compact) + '\n');
  socket->flush();
}

}  // namespace

ScriptServer::ScriptServer(QObject* parent)
    : QObject(parent), m_server(new QLocalServer(this)), m_serve(new QTimer(this)) {
  m_server->setSocketOptions(QLocalServer::UserAccessOption);
  m_serve->setSingleShot(true);
  connect(m_server, &QLocalServer::newConnection, this, &ScriptServer::Accept);
  connect(m_serve, &QTimer::timeout, this, &ScriptServer::Serve);
}

ScriptServer::~ScriptServer() {
  for (auto& client : m_clients) client->socket->disconnect(this);
  m_server->close();
}

QString ScriptServer::DefaultPath() {
  return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + "/kubisto.sock";
}

QString ScriptServer::Path() const { return m_server->fullServerName(); }

bool ScriptServer::Listen(const QString& path) {
  if (QFile::exists(path)) {
    QLocalSocket probe;
    probe.connectToServer(path);
    if (probe.waitForConnected(200)) {
      m_error = path + ": another Kubisto is listening there";
      return false;
    }
    QLocalServer::removeServer(path);  // left behind by a program that ended abruptly
  }
  // A client that leaves before its reply is written must not end the program.
  std::signal(SIGPIPE, SIG_IGN);
  if (!m_server->listen(path)) {
    m_error = path + ": " + m_server->errorString();
    return false;
  }
  QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
  return true;
}

void ScriptServer::Accept() {
  while (QLocalSocket* socket = m_server->nextPendingConnection()) {
    m_clients.push_back(std::make_unique<Client>(Client{socket, {}, {}}));
    Client* client = m_clients.back().get();
    connect(socket, &QLocalSocket::readyRead, this, [this, client] { Read(client); });
    connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Drop(socket); });
    if (socket->bytesAvailable() > 0) Read(client);
  }
}

void ScriptServer::Drop(QLocalSocket* socket) {
  // Its waiting requests go with it: nothing more is done for a client that left.
  for (size_t i = 0; i < m_clients.size(); ++i) {
    if (m_clients[i]->socket != socket) continue;
    m_clients.erase(m_clients.begin() + static_cast<std::ptrdiff_t>(i));
    if (m_nextClient > i) --m_nextClient;
    break;
  }
  socket->disconnect(this);
  socket->deleteLater();
}

void ScriptServer::Refuse(Client* client, const QString& message) {
  client->waiting.clear();
  client->buffer.clear();
  client->refused = true;
  // Writing may find the client gone and drop it (and its Client) at once: only the socket,
  // deleted later, is used from here on.
  QLocalSocket* socket = client->socket;
  Send(socket, ScriptRefusal(message));
  // Closed a moment later, with what the client sent meanwhile read and let go: a socket closed
  // with unread data is reset, and the client would lose the refusal before it could read it.
  QTimer::singleShot(kRefusalGraceMs, socket, [socket] {
    socket->readAll();
    socket->disconnectFromServer();
  });
}

void ScriptServer::Read(Client* client) {
  if (client->refused) {
    client->socket->readAll();
    return;
  }
  client->buffer += client->socket->readAll();
  qsizetype end;
  while ((end = client->buffer.indexOf('\n')) >= 0) {
    if (end > kMaxLine) return Refuse(client, QStringLiteral("request line too long"));
    QByteArray line = client->buffer.left(end);
    client->buffer.remove(0, end + 1);
    if (line.trimmed().isEmpty()) continue;
    if (client->waiting.size() >= kMaxWaiting)
      return Refuse(client, QStringLiteral("too many requests waiting"));
    client->waiting.append(std::move(line));
  }
  if (client->buffer.size() > kMaxLine)
    return Refuse(client, QStringLiteral("request line too long"));
  if (!m_serve->isActive()) m_serve->start(0);
}

bool ScriptServer::CanRunNow() {
  return CommandDepth() == 0 && !EndPending() && QApplication::activeModalWidget() == nullptr &&
         QApplication::activePopupWidget() == nullptr && modMain::MainWindow() != nullptr &&
         !modMain::MainWindow()->Unloading();
}

void ScriptServer::Serve() {
  bool any = false;
  for (const auto& client : m_clients) any = any || !client->waiting.isEmpty();
  if (!any) return;
  if (!CanRunNow()) {
    m_serve->start(kRetryMs);
    return;
  }
  // One request, from the next client in turn that has one.
  for (size_t tried = 0; tried < m_clients.size(); ++tried) {
    const size_t index = (m_nextClient + tried) % m_clients.size();
    Client* client = m_clients[index].get();
    if (client->waiting.isEmpty()) continue;
    m_nextClient = index + 1;
    const QByteArray line = client->waiting.takeFirst();
    QLocalSocket* socket = client->socket;
    const QJsonObject reply = RunScriptLine(line);
    // The request may have let events run: the client may have gone meanwhile.
    // (Sending may drop the client at once: the list is not walked while it runs.)
    const bool still = std::any_of(m_clients.begin(), m_clients.end(),
                                   [socket](const auto& c) { return c->socket == socket; });
    if (still && socket->state() == QLocalSocket::ConnectedState) Send(socket, reply);
    break;
  }
  m_serve->start(0);
}

}  // namespace kubisto::app
