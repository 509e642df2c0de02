// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtInstanceLock.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>
#include <functional>

#include "RealProgram.h"
#include "RuntimeFolder.h"
#include "WaitUntil.h"
#include "app/AppSettings.h"

namespace rtv {
namespace {

using test::RuntimeFolder;

TEST(InstanceLockTest, OnlyOneHolderAtATime) {
  RuntimeFolder runtime;
  {
    const QtInstanceLock first(AppSettings::kMutexName);
    EXPECT_TRUE(first.IsFirstInstance());
    EXPECT_EQ(first.FileName(),
              QDir(runtime.Path()).filePath("Vrel RT-V612 APP Exclusive Mutex.lock"));
    const QtInstanceLock second(AppSettings::kMutexName);
    EXPECT_FALSE(second.IsFirstInstance());
  }
  const QtInstanceLock after(AppSettings::kMutexName);  // released with its holder
  EXPECT_TRUE(after.IsFirstInstance());
}

TEST(InstanceLockTest, ALockLeftByAKilledProcessDoesNotBlock) {
  RuntimeFolder runtime;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  const pid_t child = ::fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    const QtInstanceLock held(AppSettings::kMutexName);
    const char state = held.IsFirstInstance() ? 'y' : 'n';
    if (::write(ready[1], &state, 1) != 1) ::_exit(1);
    for (;;) ::pause();
  }
  ::close(ready[1]);
  char state = 0;
  ASSERT_EQ(::read(ready[0], &state, 1), 1);
  ::close(ready[0]);
  EXPECT_EQ(state, 'y');
  {
    const QtInstanceLock whileAlive(AppSettings::kMutexName);
    EXPECT_FALSE(whileAlive.IsFirstInstance());
  }
  ::kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(::waitpid(child, &status, 0), child);
  ASSERT_TRUE(
      QFileInfo::exists(QDir(runtime.Path()).filePath("Vrel RT-V612 APP Exclusive Mutex.lock")));
  const QtInstanceLock next(AppSettings::kMutexName);
  EXPECT_TRUE(next.IsFirstInstance());
}

TEST(InstanceLockTest, ALockFileWithoutAnOwnerDoesNotBlock) {
  const QByteArray contents[] = {QByteArray(), QByteArray("garbage\n\x01\x02"),
                                 QByteArray("999999999\nrtv612\nnohost\n")};
  for (const QByteArray& text : contents) {
    SCOPED_TRACE(text.toStdString());
    RuntimeFolder runtime;
    QFile left(QDir(runtime.Path()).filePath("Vrel RT-V612 APP Exclusive Mutex.lock"));
    ASSERT_TRUE(left.open(QIODevice::WriteOnly));
    left.write(text);
    left.close();
    const QtInstanceLock lock(AppSettings::kMutexName);
    EXPECT_TRUE(lock.IsFirstInstance());
  }
}

// The real program, started while another copy holds the lock.
TEST(InstanceLockTest, ASecondProgramEndsAtOnceWithoutTouchingTheSettings) {
  RuntimeFolder runtime;
  QTemporaryDir config;
  const QtInstanceLock first(AppSettings::kMutexName);
  ASSERT_TRUE(first.IsFirstInstance());
  const QString settingsFile = QDir(config.path()).filePath("Vrel/RT-V612.conf");
  QDir(config.path()).mkpath("Vrel");
  QFile existing(settingsFile);
  ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
  existing.write("[Global]\nBBT=1\n");
  existing.close();

  QProcess program;
  test::StartRealProgram(program, runtime.Path(), config.path());
  ASSERT_TRUE(program.waitForFinished(10000));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_TRUE(program.readAllStandardError().isEmpty());
  QFile after(settingsFile);
  ASSERT_TRUE(after.open(QIODevice::ReadOnly));
  EXPECT_EQ(after.readAll(), QByteArray("[Global]\nBBT=1\n"));
  EXPECT_EQ(QDir(config.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries),
            QStringList{"Vrel"});
}

// A lock that cannot be made is no second copy: the program says where and why, and does not
// run. Its box, like every box, gives way to SIGTERM, and the status stays 1.
TEST(InstanceLockTest, ALockThatCannotBeMadeIsToldAndEndsWithOne) {
  const QString lockName = QString(AppSettings::kMutexName) + ".lock";
  struct Case {
    const char* what;
    // False: cannot be done here; `mounted` when it mounted a file system there.
    std::function<bool(const QString& runtime, bool& mounted)> prepare;
    const char* reason;
  };
  const Case cases[] = {
      {"a folder in its place",
       [&](const QString& runtime, bool&) { return QDir(runtime).mkdir(lockName); },
       "a folder has its name"},
      {"a read-only runtime folder",
       [](const QString& runtime, bool& mounted) {
         // The superuser writes into any folder that its mode forbids: a read-only mount then.
         if (::geteuid() == 0) {
           mounted = QProcess::execute("mount", {"-t", "tmpfs", "-o", "ro,size=16k,mode=0700",
                                                 "tmpfs", runtime}) == 0;
           return mounted;
         }
         return QFile::setPermissions(runtime, QFile::ReadOwner | QFile::ExeOwner);
       },
       ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QTemporaryDir runtime;
    QTemporaryDir config;
    bool mounted = false;
    if (!c.prepare(runtime.path(), mounted)) {
      // A container may deny the superuser mounts; the other cases still run.
      std::fprintf(stderr, "InstanceLockTest: %s cannot be made here; left out\n", c.what);
      continue;
    }
    QProcess program;
    test::StartRealProgram(program, runtime.path(), config.path());
    QByteArray errors;
    const bool told = test::WaitUntil("the message", [&] {
      errors += program.readAllStandardError();
      return errors.contains("cannot be created");
    });
    if (program.processId() > 0) ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
    const bool ended = program.waitForFinished(1000);
    if (mounted) QProcess::execute("umount", {runtime.path()});
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    ASSERT_TRUE(told) << errors.toStdString();
    ASSERT_TRUE(ended);
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 1);
    const QString expected = QString("rtv612: The lock %1 cannot be created: %2")
                                 .arg(QDir(runtime.path()).filePath(lockName),
                                      *c.reason != '\0' ? QString(c.reason) : QString());
    EXPECT_TRUE(QString::fromLocal8Bit(errors).startsWith(expected)) << errors.toStdString();
    // Nothing read or written: the program never began.
    EXPECT_FALSE(QFileInfo::exists(QDir(config.path()).filePath("Vrel/RT-V612.conf")));
  }
}

}  // namespace
}  // namespace rtv
