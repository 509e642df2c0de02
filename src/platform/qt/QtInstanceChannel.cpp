// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtInstanceChannel.h"

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QFile>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>

namespace rtv {
namespace {

constexpr char kAcknowledge[] = "ok\n";
// A path is one line; a peer that sends more than this is not a copy of the program.
constexpr qsizetype kMaxMessageBytes = 64 * 1024;
constexpr int kBacklog = 8;

// False when the path does not fit a socket address (the runtime folder is too deep).
bool AddressOf(const QByteArray& path, sockaddr_un& address) {
  address = {};
  address.sun_family = AF_UNIX;
  if (path.isEmpty() || static_cast<std::size_t>(path.size()) >= sizeof(address.sun_path)) {
    return false;
  }
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  return true;
}

void CloseFd(int fd) {
  if (fd >= 0) ::close(fd);
}

// Waits until `fd` is ready for `events` or the deadline passes.
bool WaitFor(int fd, short events, std::chrono::steady_clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0) return false;
    pollfd entry{fd, events, 0};
    const int ready = ::poll(&entry, 1, static_cast<int>(left.count()));
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
}

// Only a process of this user may hand a file over, whatever the socket file's mode.
bool SameUser(int fd) {
  ucred credentials{};
  socklen_t size = sizeof credentials;
  return ::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &credentials, &size) == 0 &&
         credentials.uid == ::geteuid();
}

}  // namespace

QtInstanceChannel::QtInstanceChannel(const QString& lockFileName, QObject* parent)
    : QObject(parent) {
  socketName_ = lockFileName;
  if (socketName_.endsWith(".lock")) socketName_.chop(5);
  socketName_ += ".socket";
}

QtInstanceChannel::~QtInstanceChannel() { Close(); }

bool QtInstanceChannel::Listen() {
  Close();
  const QByteArray path = QFile::encodeName(socketName_);
  sockaddr_un address;
  if (!AddressOf(path, address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  // Whatever has the name is stale: only the lock holder gets here.
  ::unlink(path.constData());
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
    CloseFd(fd);
    return false;
  }
  if (::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, kBacklog) != 0) {
    ::unlink(path.constData());
    CloseFd(fd);
    return false;
  }
  listener_ = fd;
  listenNotifier_ = new QSocketNotifier(fd, QSocketNotifier::Read, this);
  connect(listenNotifier_, &QSocketNotifier::activated, this, [this] { TakeConnections(); });
  return true;
}

void QtInstanceChannel::Close() {
  for (const std::unique_ptr<Peer>& peer : peers_) {
    delete peer->notifier;
    CloseFd(peer->fd);
  }
  peers_.clear();
  if (listener_ < 0) return;
  delete listenNotifier_;
  listenNotifier_ = nullptr;
  CloseFd(listener_);
  listener_ = -1;
  ::unlink(QFile::encodeName(socketName_).constData());
}

void QtInstanceChannel::TakeConnections() {
  for (;;) {
    const int fd = ::accept4(listener_, nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      return;  // none left (EAGAIN), or out of descriptors: the next start tries again
    }
    if (!SameUser(fd)) {
      CloseFd(fd);
      continue;
    }
    auto peer = std::make_unique<Peer>();
    peer->fd = fd;
    peer->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    Peer* raw = peer.get();
    connect(peer->notifier, &QSocketNotifier::activated, this, [this, raw] { ReadFrom(raw); });
    peers_.push_back(std::move(peer));
  }
}

void QtInstanceChannel::ReadFrom(Peer* peer) {
  char buffer[4096];
  for (;;) {
    const ssize_t count = ::recv(peer->fd, buffer, sizeof buffer, 0);
    if (count > 0) {
      peer->received.append(buffer, count);
      if (peer->received.contains('\n') || peer->received.size() > kMaxMessageBytes) break;
      continue;
    }
    if (count < 0 && errno == EINTR) continue;
    if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) return;  // more to come
    Drop(peer);  // gone before its line ended, or broken
    return;
  }
  const qsizetype end = peer->received.indexOf('\n');
  if (end < 0 || end > kMaxMessageBytes) {
    Drop(peer);
    return;
  }
  const QString file = QString::fromUtf8(peer->received.left(end));
  // Three bytes fit the empty buffer of a new connection.
  (void)::send(peer->fd, kAcknowledge, sizeof kAcknowledge - 1, MSG_NOSIGNAL);
  Drop(peer);
  // Later, so that a question the file raises does not run inside this socket's signal.
  QTimer::singleShot(0, this, [this, file] { emit FileReceived(file); });
}

void QtInstanceChannel::Drop(Peer* peer) {
  const auto found =
      std::find_if(peers_.begin(), peers_.end(),
                   [peer](const std::unique_ptr<Peer>& p) { return p.get() == peer; });
  if (found == peers_.end()) return;
  // Called from the notifier's own signal: it goes once that is over.
  peer->notifier->setEnabled(false);
  peer->notifier->deleteLater();
  CloseFd(peer->fd);
  peers_.erase(found);
}

bool QtInstanceChannel::Send(const QString& file, int timeoutMs) const {
  const QByteArray path = QFile::encodeName(socketName_);
  sockaddr_un address;
  if (!AddressOf(path, address)) return false;
  const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (fd < 0) return false;
  const auto deadline =
      std::chrono::steady_clock::now() + std::chrono::milliseconds(std::max(timeoutMs, 0));
  bool connected = false;
  // A full backlog answers EAGAIN at once: try again until the deadline.
  while (!connected) {
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0) {
      connected = true;
    } else if (errno == EINTR) {
      continue;
    } else if (errno != EAGAIN || std::chrono::steady_clock::now() >= deadline) {
      break;
    } else {
      ::usleep(10 * 1000);
    }
  }
  QByteArray message = file.toUtf8() + '\n';
  QByteArray answer;
  bool ok = connected;
  for (qsizetype sent = 0; ok && sent < message.size();) {
    const ssize_t count = ::send(fd, message.constData() + sent,
                                 static_cast<std::size_t>(message.size() - sent), MSG_NOSIGNAL);
    if (count > 0) {
      sent += count;
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      ok = WaitFor(fd, POLLOUT, deadline);
    } else {
      ok = false;
    }
  }
  while (ok && !answer.contains('\n') && answer.size() < 16) {
    char buffer[16];
    const ssize_t count = ::recv(fd, buffer, sizeof buffer, 0);
    if (count > 0) {
      answer.append(buffer, count);
    } else if (count < 0 && errno == EINTR) {
      continue;
    } else if (count < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      ok = WaitFor(fd, POLLIN, deadline);
    } else {
      ok = false;  // closed without an answer
    }
  }
  CloseFd(fd);
  return ok && answer == kAcknowledge;
}

}  // namespace rtv
