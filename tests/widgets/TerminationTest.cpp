#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>

#include "RealProgram.h"

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
    int delayMs;
  } cases[] = {{SIGTERM, 0}, {SIGINT, 0}, {SIGHUP, 0}, {SIGTERM, 400}};
  for (const auto& [signal, delayMs] : cases) {
    SCOPED_TRACE(signal);
    QTemporaryDir runtime;
    QTemporaryDir config;
    QFile::setPermissions(runtime.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QProcess program;
    test::StartRealProgram(program, runtime.path(), config.path());
    ASSERT_TRUE(program.waitForStarted(10000));
    QElapsedTimer waited;
    waited.start();
    while (!Catches(program.processId(), signal) && waited.elapsed() < 10000) {
      QThread::msleep(5);
    }
    ASSERT_TRUE(Catches(program.processId(), signal));
    QThread::msleep(static_cast<unsigned long>(delayMs));
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
