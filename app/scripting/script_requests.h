// The requests of scripts (one JSON object each) run on the program's room and main window as the
// matching commands do, and their replies.
#pragma once

#include <QByteArray>
#include <QJsonObject>

namespace kubisto::app {

inline constexpr int kScriptProtocol = 1;

// Parses one request line and runs it; the reply is {"id", "ok": true, "result"} or
// {"id", "ok": false, "error": kind, "message"}, kind being ValueError, TypeError, OSError or
// ProtocolError. Never throws. Call it only when no other command runs.
QJsonObject RunScriptLine(const QByteArray& line);

// A reply refusing a request that was not run (its line too long, too many waiting).
QJsonObject ScriptRefusal(const QString& message);

}  // namespace kubisto::app
