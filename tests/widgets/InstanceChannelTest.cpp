// SPDX-License-Identifier: GPL-3.0-or-later
// The channel through which a second start hands its file to the running copy.
#include "platform/qt/QtInstanceChannel.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <chrono>
#include <cstring>
#include <future>
#include <memory>
#include <string>

#include "RuntimeFolder.h"
#include "WaitUntil.h"

namespace rtv {
namespace {

using test::RuntimeFolder;

sockaddr_un SocketAddress(const QString& name) {
  const QByteArray path = QFile::encodeName(name);
  sockaddr_un address{};
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.constData(), static_cast<std::size_t>(path.size()));
  return address;
}

// The running copy's side in this thread; the second starts' in another, since a send waits
// for the answer that this thread's event loop gives.
struct ChannelFixture {
  QString LockFile() const { return QDir(runtime.Path()).filePath("copy.lock"); }
  // Sends from another thread while this one serves the socket.
  bool SendWhileServing(const QString& file) {
    const QtInstanceChannel second(LockFile());
    std::future<bool> sent = std::async(std::launch::async, [&] { return second.Send(file); });
    const bool done = static_cast<bool>(test::WaitUntil("the answer", [&] {
      return sent.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
    }));
    return done && sent.get();
  }
  // A client that is no copy of the program: connects, and sends what the test makes it.
  int ConnectRaw() const {
    const sockaddr_un address = SocketAddress(running.SocketName());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
      ::close(fd);
      return -1;
    }
    return fd;
  }

  RuntimeFolder runtime;
  QtInstanceChannel running{LockFile()};
  QStringList received;
};

TEST(InstanceChannelTest, EachSecondStartsFileArrivesAndIsAcknowledged) {
  ChannelFixture f;
  ASSERT_TRUE(f.running.Listen());
  QObject::connect(&f.running, &QtInstanceChannel::FileReceived,
                   [&](const QString& file) { f.received.append(file); });
  EXPECT_EQ(f.running.SocketName(), QDir(f.runtime.Path()).filePath("copy.socket"));
  // Only this user may connect.
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(f.running.SocketName()).constData(), &info), 0);
  EXPECT_TRUE(S_ISSOCK(info.st_mode));
  EXPECT_EQ(info.st_mode & 0077, 0u);

  const QStringList files = {"/home/skipper/boat one.rtv", QString::fromUtf8("/tmp/bå\u00e7t.rtv"),
                             ""};
  for (const QString& file : files) {
    SCOPED_TRACE(file.toStdString());
    EXPECT_TRUE(f.SendWhileServing(file));
  }
  ASSERT_TRUE(test::WaitUntil("every file", [&] { return f.received.size() == files.size(); }));
  EXPECT_EQ(f.received, files);
}

TEST(InstanceChannelTest, ASocketLeftByAKilledCopyDoesNotBlockTheNext) {
  ChannelFixture f;
  // What a killed copy leaves: the socket file, with nobody behind it.
  {
    const sockaddr_un address = SocketAddress(f.running.SocketName());
    const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_EQ(::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(::listen(fd, 1), 0);
    ::close(fd);
  }
  ASSERT_TRUE(QFileInfo::exists(f.running.SocketName()));
  // A second start finds nobody and says so at once, without waiting out its time.
  EXPECT_FALSE(QtInstanceChannel(f.LockFile()).Send("/tmp/boat.rtv", 20000));

  ASSERT_TRUE(f.running.Listen());
  QObject::connect(&f.running, &QtInstanceChannel::FileReceived,
                   [&](const QString& file) { f.received.append(file); });
  EXPECT_TRUE(f.SendWhileServing("/tmp/boat.rtv"));
  ASSERT_TRUE(test::WaitUntil("the file", [&] { return !f.received.isEmpty(); }));
  EXPECT_EQ(f.received, QStringList{"/tmp/boat.rtv"});
}

TEST(InstanceChannelTest, PeersThatAreNoCopyOfTheProgramAreDroppedAndTheNextIsServed) {
  ChannelFixture f;
  ASSERT_TRUE(f.running.Listen());
  QObject::connect(&f.running, &QtInstanceChannel::FileReceived,
                   [&](const QString& file) { f.received.append(file); });
  // One that goes before its line ends, and one whose "line" never ends.
  const int quitter = f.ConnectRaw();
  ASSERT_GE(quitter, 0);
  ASSERT_EQ(::send(quitter, "/tmp/half", 9, MSG_NOSIGNAL), 9);
  ::close(quitter);
  const int flood = f.ConnectRaw();
  ASSERT_GE(flood, 0);
  const std::string endless(100 * 1024, 'x');
  std::future<void> flooding = std::async(std::launch::async, [&] {
    (void)::send(flood, endless.data(), endless.size(), MSG_NOSIGNAL);
  });
  // The running copy hangs up on it: its end reads the close, with no answer.
  std::future<ssize_t> answer = std::async(std::launch::async, [&] {
    char byte = 0;
    return ::recv(flood, &byte, 1, 0);
  });
  ASSERT_TRUE(test::WaitUntil("the hang-up", [&] {
    return answer.wait_for(std::chrono::seconds(0)) == std::future_status::ready;
  }));
  EXPECT_LE(answer.get(), 0);
  flooding.get();
  ::close(flood);

  EXPECT_TRUE(f.SendWhileServing("/tmp/boat.rtv"));
  ASSERT_TRUE(test::WaitUntil("the file", [&] { return !f.received.isEmpty(); }));
  EXPECT_EQ(f.received, QStringList{"/tmp/boat.rtv"});
}

TEST(InstanceChannelTest, OnlyTheListeningChannelRemovesTheSocketWhenItGoes) {
  const RuntimeFolder runtime;
  const QString lock = QDir(runtime.Path()).filePath("copy.lock");
  auto running = std::make_unique<QtInstanceChannel>(lock);
  ASSERT_TRUE(running->Listen());
  const QString socketFile = running->SocketName();
  { const QtInstanceChannel second(lock); }  // a second start's channel
  EXPECT_TRUE(QFileInfo::exists(socketFile));
  running.reset();
  EXPECT_FALSE(QFileInfo::exists(socketFile));
}

}  // namespace
}  // namespace rtv
