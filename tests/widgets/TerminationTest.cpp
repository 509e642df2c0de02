// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <csignal>
#include <string>

#include "RealProgram.h"
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

}  // namespace
}  // namespace rtv
