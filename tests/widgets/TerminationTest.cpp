// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <csignal>
#include <string>

#include "RealProgram.h"
#include "ShippedData.h"
#include "WaitUntil.h"

namespace rtv {
namespace {

// Whether the process has a handler of its own for `signal` (Linux: SigCgt in its status).
bool Catches(qint64 pid, int signal) {
  QFile status(QStringLiteral("/proc/%1/status").arg(pid));
  if (!status.open(QIODevice::ReadOnly)) return false;
  for (const QByteArray& line : status.readAll().split('\n')) {
    if (line.startsWith("SigCgt:")) {
      return (line.mid(7).trimmed().toULongLong(nullptr, 16) >> (signal - 1) & 1) != 0;
    }
  }
  return false;
}

// Killed from outside (logout, kill, Ctrl+C in its terminal), the program still ends the
// normal way and writes its settings back.
TEST(TerminationTest, SignalsEndTheProgramWithItsSettingsWritten) {
  // At once (the signal waits for the event loop) and once the window is up.
  const struct {
    int signal;
    bool windowUp;
  } cases[] = {{SIGTERM, false}, {SIGINT, false}, {SIGHUP, false}, {SIGTERM, true}};
  for (const auto& [signal, windowUp] : cases) {
    SCOPED_TRACE(std::to_string(signal) + (windowUp ? " with the window up" : " at once"));
    QTemporaryDir runtime;
    QTemporaryDir config;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess program;
    test::StartRealProgram(program, runtime.path(), config.path(), windowUp);
    ASSERT_TRUE(program.waitForStarted(10000));
    ASSERT_TRUE(test::WaitUntil(
        "the program's own handler", [&] { return Catches(program.processId(), signal); }, 10000));
    if (windowUp) {
      QByteArray output;
      ASSERT_TRUE(test::WaitUntil("the program's window", [&] {
        output += program.readAllStandardOutput();
        return output.contains("first-paint");
      }));
    }
    ::kill(static_cast<pid_t>(program.processId()), signal);
    ASSERT_TRUE(program.waitForFinished(10000));
    EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(program.exitCode(), 0);
    QFile settings(QDir(config.path()).filePath("Vrel/RT-V612.conf"));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray text = settings.readAll();
    EXPECT_TRUE(text.contains("ModelType=0")) << text.toStdString();
    EXPECT_TRUE(text.contains("BBT=")) << text.toStdString();
  }
}

// Starts the real program, sends SIGTERM once its window has been painted (and whatever it
// asks at the start is up) and waits a second at most for it to end.
::testing::AssertionResult EndedOnceItsWindowIsUp(QProcess& program, const QString& runtime,
                                                  const QString& config) {
  test::StartRealProgram(program, runtime, config, true);
  QByteArray output;
  const ::testing::AssertionResult painted = test::WaitUntil(
      "the program's window",
      [&] {
        output += program.readAllStandardOutput();
        return output.contains("first-paint");
      },
      20000);
  if (!painted || program.processId() <= 0) return painted;
  ::kill(static_cast<pid_t>(program.processId()), SIGTERM);
  if (program.waitForFinished(1000)) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "still running a second after SIGTERM";
}

// Changes kept by an earlier end are offered at the start; a signal while the question is up
// ends the program at once and keeps them for the next start.
TEST(TerminationTest, ASignalDuringTheRecoveryQuestionKeepsTheChanges) {
  QTemporaryDir runtime;
  QTemporaryDir config;
  QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QString recovery = QDir(config.path()).filePath("state/Vrel/RT-V612");
  ASSERT_TRUE(QDir().mkpath(recovery));
  ASSERT_TRUE(QFile::copy(QString::fromStdString(test::InitialFile("RTV612M0.rtv")),
                          QDir(recovery).filePath("recovery.rtv")));
  QFile note(QDir(recovery).filePath("recovery.txt"));
  ASSERT_TRUE(note.open(QIODevice::WriteOnly));
  note.write("/boats/Dolphin.rtv\n2026-12-11 00:07\n");
  note.close();

  QProcess program;
  ASSERT_TRUE(EndedOnceItsWindowIsUp(program, runtime.path(), config.path()));
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_TRUE(QFileInfo::exists(QDir(recovery).filePath("recovery.rtv")));
  EXPECT_TRUE(QFileInfo::exists(QDir(recovery).filePath("recovery.txt")));
  EXPECT_TRUE(QFileInfo::exists(QDir(config.path()).filePath("Vrel/RT-V612.conf")));
}

// A pipe where the settings file belongs once hung the start, and the hung program ignored
// SIGTERM: now it starts with the defaults, says why, and leaves the pipe alone.
TEST(TerminationTest, APipeForTheSettingsFileNeitherHangsNorIsReplaced) {
  QTemporaryDir runtime;
  QTemporaryDir config;
  QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  ASSERT_TRUE(QDir(config.path()).mkpath("Vrel"));
  const QString settings = QDir(config.path()).filePath("Vrel/RT-V612.conf");
  ASSERT_EQ(::mkfifo(QFile::encodeName(settings).constData(), 0600), 0);

  QProcess program;
  ASSERT_TRUE(EndedOnceItsWindowIsUp(program, runtime.path(), config.path()));
  EXPECT_EQ(program.exitCode(), 0);
  EXPECT_TRUE(program.readAllStandardError().contains(
      QString("rtv612: %1 is not a plain file").arg(settings).toLocal8Bit()));
  EXPECT_EQ(QFileInfo(settings).isFile(), false);
  EXPECT_TRUE(QFileInfo::exists(settings));
}

}  // namespace
}  // namespace rtv
