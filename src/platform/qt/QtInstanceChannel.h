// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace rtv {

// How a second start reaches the running copy: a Unix domain socket beside the instance
// lock. The running copy listens; a second start sends the file it was given (or nothing, to
// bring the window forward) as one line and waits until the running copy has answered.
// Plain POSIX sockets watched by the event loop: the program needs no network library.
class QtInstanceChannel : public QObject {
  Q_OBJECT

 public:
  // `lockFileName`: the instance lock's file; the socket sits beside it.
  explicit QtInstanceChannel(const QString& lockFileName, QObject* parent = nullptr);
  ~QtInstanceChannel() override;
  QtInstanceChannel(const QtInstanceChannel&) = delete;
  QtInstanceChannel& operator=(const QtInstanceChannel&) = delete;

  // The running copy: takes over the socket (only the lock holder calls this, so a socket
  // left by a crashed copy is stale and goes). Only this user may connect.
  bool Listen();
  // A second start: true once the running copy has acknowledged the file. Blocks at most
  // `timeoutMs` in all; needs no event loop.
  bool Send(const QString& file, int timeoutMs = 5000) const;

  QString SocketName() const { return socketName_; }

 signals:
  // An empty file: only bring the window forward.
  void FileReceived(const QString& file);

 private:
  // A second start connected, until its line has come.
  struct Peer {
    int fd = -1;
    QSocketNotifier* notifier = nullptr;
    QByteArray received;
  };

  void TakeConnections();
  void ReadFrom(Peer* peer);
  void Drop(Peer* peer);
  void Close();

  QString socketName_;
  int listener_ = -1;
  QSocketNotifier* listenNotifier_ = nullptr;
  std::vector<std::unique_ptr<Peer>> peers_;
};

}  // namespace rtv
