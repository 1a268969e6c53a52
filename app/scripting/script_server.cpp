#include "app/scripting/script_server.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QLocalSocket>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "app/editing/command_scope.h"
#include "app/host/end_signals.h"
#include "app/scripting/script_requests.h"
#include "app/windows/frm_main.h"
#include "app/windows/mod_main.h"

namespace kubisto::app {
namespace {

// How often waiting requests look again whether the program is free.
constexpr int kRetryMs = 20;
// How long a refused client has to read the refusal before its connection is closed.
constexpr int kRefusalGraceMs = 200;
// How soon accepting is tried again after the program ran out of file descriptors.
constexpr int kAcceptAgainMs = 100;

QByteArray ReplyLine(const QJsonObject& reply) {
  return QJsonDocument(reply).toJson(QJsonDocument::Compact) + '\n';
}

void Send(QLocalSocket* socket, const QJsonObject& reply) {
  socket->write(ReplyLine(reply));
  socket->flush();
}

QString ErrnoText(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

bool SameFile(const struct stat& info, std::uint64_t device, std::uint64_t inode) {
  return static_cast<std::uint64_t>(info.st_dev) == device &&
         static_cast<std::uint64_t>(info.st_ino) == inode;
}

// A listening socket at the path, made in a private folder beside it and renamed into place, so
// that nobody else can connect before it is the user's alone; a socket left there by a program
// that ended abruptly is replaced in the same step. -1 with errno set on failure.
int MakeListeningSocket(const QByteArray& path) {
  const QByteArray folder = QFile::encodeName(QFileInfo(QFile::decodeName(path)).path());
  QByteArray privateDir = folder + "/.kubisto-XXXXXX";
  if (mkdtemp(privateDir.data()) == nullptr) return -1;
  const QByteArray temporary = privateDir + "/s";
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  int error = 0;
  if (fd < 0) {
    error = errno;
  } else {
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (static_cast<size_t>(temporary.size()) >= sizeof(address.sun_path)) {
      error = ENAMETOOLONG;
    } else {
      std::memcpy(address.sun_path, temporary.constData(), static_cast<size_t>(temporary.size()));
      if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0 ||
          ::chmod(temporary.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, SOMAXCONN) != 0 ||
          ::rename(temporary.constData(), path.constData()) != 0)
        error = errno;
    }
  }
  ::unlink(temporary.constData());  // only when the rename did not happen
  ::rmdir(privateDir.constData());
  if (error != 0) {
    if (fd >= 0) ::close(fd);
    errno = error;
    return -1;
  }
  return fd;
}

}  // namespace

ScriptServer::ScriptServer(QObject* parent)
    : QObject(parent), acceptAgain_(new QTimer(this)), serve_(new QTimer(this)) {
  acceptAgain_->setSingleShot(true);
  serve_->setSingleShot(true);
  connect(acceptAgain_, &QTimer::timeout, this, [this] {
    incoming_->setEnabled(true);
    Accept();
  });
  connect(serve_, &QTimer::timeout, this, &ScriptServer::Serve);
}

ScriptServer::~ScriptServer() {
  for (auto& client : clients_) client->socket->disconnect(this);
  if (listener_ >= 0) {
    delete incoming_;
    ::close(listener_);
    // Removed only while it is still this server's socket, and before the lock is let go, so that
    // the socket of a program that serves the path after this one is never removed.
    const QByteArray path = QFile::encodeName(path_);
    struct stat info {};
    if (::lstat(path.constData(), &info) == 0 && SameFile(info, device_, inode_))
      ::unlink(path.constData());
  }
  if (spare_ >= 0) ::close(spare_);
  if (lock_ >= 0) ::close(lock_);
}

QString ScriptServer::DefaultPath() {
  // Empty when there is no runtime folder of the user's own: then there is no server either.
  const QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  return folder.isEmpty() ? QString() : folder + "/kubisto.sock";
}

QString ScriptServer::UnavailableNote() { return tr("スクリプト機能を開始できませんでした"); }

bool ScriptServer::Fail(const QString& message) {
  error_ = message;
  if (lock_ >= 0) ::close(lock_);
  lock_ = -1;
  return false;
}

bool ScriptServer::Listen(const QString& path) {
  if (listener_ >= 0) return Fail(path + ": this server already listens at " + path_);
  const QByteArray native = QFile::encodeName(path);
  if (native.isEmpty()) return Fail(QStringLiteral("no runtime folder of the user's own"));
  if (static_cast<size_t>(native.size()) >= sizeof(sockaddr_un{}.sun_path))
    return Fail(path + ": too long for a socket's path");

  // The lock decides who serves the path: the kernel lets it go when its holder ends, however it
  // ends, and a busy holder keeps it however slowly it answers. The lock file is never removed, so
  // every program locks the same file.
  const QByteArray lockPath = native + ".lock";
  lock_ = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (lock_ < 0) return Fail(QFile::decodeName(lockPath) + ": " + ErrnoText(errno));
  if (::flock(lock_, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    if (error == EWOULDBLOCK) return Fail(path + ": another Kubisto is listening there");
    return Fail(QFile::decodeName(lockPath) + ": " + ErrnoText(error));
  }
  struct stat locked {};
  struct stat named {};
  if (::fstat(lock_, &locked) != 0 || ::lstat(lockPath.constData(), &named) != 0 ||
      locked.st_ino != named.st_ino || locked.st_dev != named.st_dev)
    return Fail(QFile::decodeName(lockPath) + ": replaced while it was being locked");

  // Holding the lock, whatever is at the path was left by a program that has ended: a socket is
  // replaced, anything else is left alone.
  struct stat existing {};
  if (::lstat(native.constData(), &existing) == 0 && !S_ISSOCK(existing.st_mode))
    return Fail(path + ": exists and is not a socket; it is left alone");

  // A client that leaves before its reply is written must not end the program.
  IgnoreBrokenPipes();
  listener_ = MakeListeningSocket(native);
  if (listener_ < 0) return Fail(path + ": " + ErrnoText(errno));
  struct stat made {};
  if (::lstat(native.constData(), &made) == 0) {
    device_ = static_cast<std::uint64_t>(made.st_dev);
    inode_ = static_cast<std::uint64_t>(made.st_ino);
  }
  path_ = path;
  spare_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  incoming_ = new QSocketNotifier(static_cast<qintptr>(listener_), QSocketNotifier::Read, this);
  connect(incoming_, &QSocketNotifier::activated, this, &ScriptServer::Accept);
  return true;
}

void ScriptServer::Accept() {
  for (;;) {
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (fd >= 0) {
      acceptFailing_ = false;
      Admit(fd);
      continue;
    }
    const int error = errno;
    if (error == EAGAIN || error == EWOULDBLOCK) return;
    if (error == EINTR || error == ECONNABORTED || error == EPROTO) continue;
    // Out of descriptors (or memory): the server keeps listening and says so once.
    if (!acceptFailing_) {
      acceptFailing_ = true;
      std::fprintf(stderr,
                   "kubisto: script server: a connection cannot be accepted (%s); still "
                   "listening at %s\n",
                   std::strerror(error), QFile::encodeName(path_).constData());
    }
    if ((error == EMFILE || error == ENFILE) && AcceptAtLimit()) continue;
    return PauseAccepting();
  }
}

bool ScriptServer::AcceptAtLimit() {
  // The spare descriptor makes room to take the client and refuse it, rather than leave it waiting
  // with no answer.
  if (spare_ < 0) return false;
  ::close(spare_);
  const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
  if (fd >= 0) {
    const QByteArray refusal = ReplyLine(
        ScriptRefusal(QStringLiteral("the program has no file descriptors left; try later")));
    [[maybe_unused]] const ssize_t sent =
        ::send(fd, refusal.constData(), static_cast<size_t>(refusal.size()), MSG_NOSIGNAL);
    // What the client sent already is read and let go: closed with unread data, the connection
    // would be reset and the refusal lost.
    ::shutdown(fd, SHUT_WR);
    char drain[4096];
    for (int i = 0; i < 64 && ::recv(fd, drain, sizeof(drain), MSG_DONTWAIT) > 0; ++i) {
    }
    ::close(fd);
  }
  spare_ = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
  return fd >= 0 && spare_ >= 0;
}

void ScriptServer::PauseAccepting() {
  // The waiting connection keeps the socket readable: try again a moment later, not at once.
  incoming_->setEnabled(false);
  acceptAgain_->start(kAcceptAgainMs);
}

void ScriptServer::Admit(int descriptor) {
  auto* socket = new QLocalSocket(this);
  if (!socket->setSocketDescriptor(descriptor, QLocalSocket::ConnectedState,
                                   QIODevice::ReadWrite)) {
    ::close(descriptor);
    delete socket;
    return;
  }
  const bool full = ActiveClients() >= kMaxClients;
  clients_.push_back(std::make_unique<Client>(Client{socket, {}, {}}));
  Client* client = clients_.back().get();
  connect(socket, &QLocalSocket::readyRead, this, [this, client] { Read(client); });
  connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Drop(socket); });
  // Replies read by the client may let its next request run.
  connect(socket, &QLocalSocket::bytesWritten, this, &ScriptServer::ServeSoon);
  if (full) {
    return Refuse(
        client,
        QStringLiteral("too many clients: at most %1 may be connected at once").arg(kMaxClients));
  }
  if (socket->bytesAvailable() > 0) Read(client);
}

int ScriptServer::ActiveClients() const {
  return static_cast<int>(
      std::count_if(clients_.begin(), clients_.end(), [](const auto& c) { return !c->refused; }));
}

qsizetype ScriptServer::QueuedBytes() const {
  qsizetype total = 0;
  for (const auto& c : clients_) total += c->buffer.size() + c->waitingBytes;
  return total;
}

void ScriptServer::Drop(QLocalSocket* socket) {
  // Its waiting requests go with it: nothing more is done for a client that left.
  for (size_t i = 0; i < clients_.size(); ++i) {
    if (clients_[i]->socket != socket) continue;
    clients_.erase(clients_.begin() + static_cast<std::ptrdiff_t>(i));
    if (nextClient_ > i) --nextClient_;
    break;
  }
  socket->disconnect(this);
  socket->deleteLater();
}

void ScriptServer::Refuse(Client* client, const QString& message) {
  client->waiting.clear();
  client->waitingBytes = 0;
  client->buffer.clear();
  client->buffer.squeeze();
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
  const QByteArray data = client->socket->readAll();
  if (QueuedBytes() + data.size() > kMaxQueued)
    return Refuse(client, QStringLiteral("too many requests are waiting in the program"));
  client->buffer += data;
  qsizetype end;
  while ((end = client->buffer.indexOf('\n')) >= 0) {
    if (end > kMaxLine) return Refuse(client, QStringLiteral("request line too long"));
    QByteArray line = client->buffer.left(end);
    client->buffer.remove(0, end + 1);
    if (line.trimmed().isEmpty()) continue;
    if (client->waiting.size() >= kMaxWaiting)
      return Refuse(client, QStringLiteral("too many requests waiting"));
    client->waitingBytes += line.size();
    client->waiting.append(std::move(line));
  }
  if (client->buffer.size() > kMaxLine)
    return Refuse(client, QStringLiteral("request line too long"));
  ServeSoon();
}

bool ScriptServer::CanRunNow() {
  return CommandDepth() == 0 && !EndPending() && QApplication::activeModalWidget() == nullptr &&
         QApplication::activePopupWidget() == nullptr && modMain::MainWindow() != nullptr &&
         !modMain::MainWindow()->Unloading();
}

void ScriptServer::ServeSoon() {
  if (!serve_->isActive()) serve_->start(0);
}

void ScriptServer::Serve() {
  // A client with replies piling up unread waits until it reads them (bytesWritten wakes it).
  const auto ready = [](const Client& c) {
    return !c.waiting.isEmpty() && c.socket->bytesToWrite() <= kMaxUnread;
  };
  if (std::none_of(clients_.begin(), clients_.end(), [&](const auto& c) { return ready(*c); }))
    return;
  if (!CanRunNow()) {
    serve_->start(kRetryMs);
    return;
  }
  // One request, from the next client in turn that has one.
  for (size_t tried = 0; tried < clients_.size(); ++tried) {
    const size_t index = (nextClient_ + tried) % clients_.size();
    Client* client = clients_[index].get();
    if (!ready(*client)) continue;
    nextClient_ = index + 1;
    const QByteArray line = client->waiting.takeFirst();
    client->waitingBytes -= line.size();
    QLocalSocket* socket = client->socket;
    const QJsonObject reply = RunScriptLine(line);
    // The request may have let events run: the client may have gone meanwhile.
    // (Sending may drop the client at once: the list is not walked while it runs.)
    const bool still = std::any_of(clients_.begin(), clients_.end(),
                                   [socket](const auto& c) { return c->socket == socket; });
    if (still && socket->state() == QLocalSocket::ConnectedState) Send(socket, reply);
    break;
  }
  serve_->start(0);
}

}  // namespace kubisto::app
