// The script server: scripts (the Python package kubisto, connect()) drive the running program
// over a local socket that only its user may open. One request per line, one reply per line; each
// request runs on the user-interface thread when no other command runs and no modal window or
// pop-up menu is open, one at a time, clients taking turns.
//
// One program serves a socket path at a time: a lock file beside the socket ("<path>.lock", held
// with flock for the server's lifetime) decides, so that a busy program that answers slowly is
// never taken for one that has gone, and two programs starting together cannot both listen. The
// socket is removed on exit only while it is still the one this server made.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

class QLocalSocket;
class QSocketNotifier;
class QTimer;

namespace kubisto::app {

class ScriptServer : public QObject {
  Q_OBJECT
 public:
  // The longest request line, and how many requests of one client may wait.
  static constexpr qsizetype kMaxLine = 64 * 1024;
  static constexpr qsizetype kMaxWaiting = 256;
  // How many clients may be connected at once, and how many bytes of requests all of them
  // together may have waiting: beyond either, a client is refused with a reply and closed.
  static constexpr int kMaxClients = 32;
  static constexpr qsizetype kMaxQueued = 16 * 1024 * 1024;
  // A client that leaves this much of its replies unread gets no more until it reads them.
  static constexpr qint64 kMaxUnread = 1024 * 1024;

  explicit ScriptServer(QObject* parent = nullptr);
  ~ScriptServer() override;

  // kubisto.sock in the user's runtime folder (QStandardPaths::RuntimeLocation, mode 0700).
  static QString DefaultPath();
  // Listens at path, readable and writable by the user only. False when another program already
  // serves there or the socket cannot be made; ErrorText tells why.
  bool Listen(const QString& path = DefaultPath());
  QString ErrorText() const { return error_; }
  QString Path() const { return path_; }
  // The status bar's note when scripting could not start.
  static QString UnavailableNote();

 private:
  struct Client {
    QLocalSocket* socket;
    QByteArray buffer;
    QList<QByteArray> waiting;
    qsizetype waitingBytes = 0;
    bool refused = false;  // answered with a refusal; what it sends now is read and let go
  };

  bool Fail(const QString& message);
  void Accept();
  bool AcceptAtLimit();
  void PauseAccepting();
  void Admit(int descriptor);
  void Read(Client* client);
  void Drop(QLocalSocket* socket);
  void Refuse(Client* client, const QString& message);
  void Serve();
  void ServeSoon();
  int ActiveClients() const;
  qsizetype QueuedBytes() const;
  static bool CanRunNow();

  int listener_ = -1;
  int lock_ = -1;   // the lock file, held while this server listens
  int spare_ = -1;  // a descriptor given up to refuse a client when none are left
  std::uint64_t device_ = 0, inode_ = 0;  // of the socket this server made
  QString path_;
  QSocketNotifier* incoming_ = nullptr;
  QTimer* acceptAgain_;  // accepting again after the program ran out of descriptors
  bool acceptFailing_ = false;
  QTimer* serve_;  // runs the next waiting request
  std::vector<std::unique_ptr<Client>> clients_;
  size_t nextClient_ = 0;  // whose request runs next
  QString error_;
};

}  // namespace kubisto::app
