// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>

namespace rtv {

// How a second start reaches the running copy: a local socket beside the instance lock.
// The running copy listens; a second start sends the file it was given (or nothing, to
// bring the window forward) and waits until the running copy has taken it.
class QtInstanceChannel : public QObject {
  Q_OBJECT

 public:
  // `lockFileName`: the instance lock's file; the socket sits beside it.
  explicit QtInstanceChannel(const QString& lockFileName, QObject* parent = nullptr);

  // The running copy: takes over the socket (only the lock holder calls this, so a socket
  // left by a crashed copy is stale and goes).
  bool Listen();
  // A second start: true once the running copy has acknowledged the file.
  bool Send(const QString& file, int timeoutMs = 5000) const;

  QString SocketName() const { return socketName_; }

 signals:
  // An empty file: only bring the window forward.
  void FileReceived(const QString& file);

 private:
  void TakeConnection();

  QString socketName_;
  QLocalServer server_;
};

}  // namespace rtv
