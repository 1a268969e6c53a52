// The script server: scripts (the Python package kubisto, connect()) drive the running program
// over a local socket that only its user may open. One request per line, one reply per line; each
// request runs on the user-interface thread when no other command runs and no modal window or
// pop-up menu is open, one at a time, clients taking turns.
#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QLocalServer;
class QLocalSocket;
class QTimer;

namespace kubisto::app {

class ScriptServer : public QObject {
  Q_OBJECT
 public:
  // The longest request line, and how many requests of one client may wait.
  static constexpr qsizetype kMaxLine = 64 * 1024;
  static constexpr qsizetype kMaxWaiting = 256;

  explicit ScriptServer(QObject* parent = nullptr);
  ~ScriptServer() override;

  // kubisto.sock in the user's runtime folder (QStandardPaths::RuntimeLocation, mode 0700).
  static QString DefaultPath();
  // Listens at path, readable and writable by the user only. False when another program already
  // answers there or the socket cannot be made; ErrorText tells why.
  bool Listen(const QString& path = DefaultPath());
  QString ErrorText() const { return m_error; }
  QString Path() const;

 private:
  struct Client {
    QLocalSocket* socket;
    QByteArray buffer;
    QList<QByteArray> waiting;
    bool refused = false;  // answered with a refusal; what it sends now is read and let go
  };

  void Accept();
  void Read(Client* client);
  void Drop(QLocalSocket* socket);
  void Refuse(Client* client, const QString& message);
  void Serve();
  static bool CanRunNow();

  QLocalServer* m_server;
  QTimer* m_serve;  // runs the next waiting request
  std::vector<std::unique_ptr<Client>> m_clients;
  size_t m_nextClient = 0;  // whose request runs next
  QString m_error;
};

}  // namespace kubisto::app
