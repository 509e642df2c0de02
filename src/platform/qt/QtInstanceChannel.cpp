// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtInstanceChannel.h"

#include <QLocalSocket>
#include <QTimer>

namespace rtv {
namespace {

constexpr char kAcknowledge[] = "ok\n";
// A path is one line; a peer that sends more than this is not a copy of the program.
constexpr qint64 kMaxMessageBytes = 64 * 1024;

}  // namespace

QtInstanceChannel::QtInstanceChannel(const QString& lockFileName, QObject* parent)
    : QObject(parent) {
  socketName_ = lockFileName;
  if (socketName_.endsWith(".lock")) socketName_.chop(5);
  socketName_ += ".socket";
  connect(&server_, &QLocalServer::newConnection, this, [this] { TakeConnection(); });
}

bool QtInstanceChannel::Listen() {
  QLocalServer::removeServer(socketName_);
  // Only this user may hand files to its own copy.
  server_.setSocketOptions(QLocalServer::UserAccessOption);
  return server_.listen(socketName_);
}

void QtInstanceChannel::TakeConnection() {
  while (QLocalSocket* socket = server_.nextPendingConnection()) {
    connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
      if (!socket->canReadLine()) {
        if (socket->bytesAvailable() > kMaxMessageBytes) socket->abort();
        return;
      }
      QByteArray line = socket->readLine(kMaxMessageBytes);
      line.chop(1);
      socket->write(kAcknowledge);
      socket->flush();
      socket->disconnectFromServer();
      // Later, so that a question the file raises does not run inside this socket's signal.
      QTimer::singleShot(0, this,
                         [this, file = QString::fromUtf8(line)] { emit FileReceived(file); });
    });
  }
}

bool QtInstanceChannel::Send(const QString& file, int timeoutMs) const {
  QLocalSocket socket;
  socket.connectToServer(socketName_);
  if (!socket.waitForConnected(timeoutMs)) return false;
  socket.write(file.toUtf8() + '\n');
  if (!socket.waitForBytesWritten(timeoutMs)) return false;
  while (!socket.canReadLine()) {
    if (!socket.waitForReadyRead(timeoutMs)) return false;
  }
  return socket.readLine() == kAcknowledge;
}

}  // namespace rtv
