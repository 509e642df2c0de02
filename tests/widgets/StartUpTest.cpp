// SPDX-License-Identifier: GPL-3.0-or-later
// How the program is started: its command line, and a second start handing its file to
// the running copy.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <filesystem>
#include <memory>

#include "ManualClock.h"
#include "ProgramWindow.h"
#include "RealProgram.h"
#include "RuntimeFolder.h"
#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "app/AppSettings.h"
#include "app/FileCommands.h"
#include "app/MainController.h"
#include "app/widgets/HandedFileOpener.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/ProgramCommandLine.h"
#include "base/MessageBus.h"
#include "overlay/OverlayText.h"
#include "platform/qt/QtInstanceChannel.h"
#include "platform/qt/QtInstanceLock.h"

namespace rtv {
namespace {

namespace fs = std::filesystem;
using Action = ProgramCommandLine::Action;

TEST(ProgramCommandLineTest, HelpVersionAFileAndTheServiceSwitches) {
  const QString here = QDir::currentPath();
  struct Case {
    QStringList arguments;
    Action action;
    QString file;
  };
  const Case cases[] = {
      {{"rtv612"}, Action::Run, ""},
      {{"rtv612", "boat.rtv"}, Action::Run, here + "/boat.rtv"},
      {{"rtv612", "/KALVORN", "/tmp/b.rtv", "/Bluefin_Kor"}, Action::Run, "/tmp/b.rtv"},
      {{"rtv612", "/kalvorn"}, Action::Run, ""},
      {{"rtv612", "--help"}, Action::ShowHelp, ""},
      {{"rtv612", "-h", "boat.rtv"}, Action::ShowHelp, ""},
      {{"rtv612", "--version"}, Action::ShowVersion, ""},
      {{"rtv612", "a.rtv", "b.rtv"}, Action::Refuse, ""},
      {{"rtv612", "--no-such-option"}, Action::Refuse, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.arguments.join(' ').toStdString());
    const ProgramCommandLine line(c.arguments);
    EXPECT_EQ(line.WhatToDo(), c.action);
    EXPECT_EQ(line.File(), c.file);
  }
  const QString help = ProgramCommandLine({"rtv612", "--help"}).Text();
  EXPECT_TRUE(help.contains("--version")) << help.toStdString();
  EXPECT_TRUE(help.contains("file")) << help.toStdString();
  // The service switches are for technicians who were told of them.
  EXPECT_FALSE(help.contains("kalvorn", Qt::CaseInsensitive)) << help.toStdString();
  EXPECT_FALSE(help.contains("bluefin", Qt::CaseInsensitive)) << help.toStdString();
}

using test::RuntimeFolder;

TEST(HandOverTest, ASecondStartHandsItsFileToTheRunningCopyAndEnds) {
  const RuntimeFolder runtime;
  const QTemporaryDir config;
  const QtInstanceLock running(AppSettings::kMutexName);
  ASSERT_TRUE(running.IsFirstInstance());
  QtInstanceChannel channel(running.FileName());
  ASSERT_TRUE(channel.Listen());
  QStringList received;
  QObject::connect(&channel, &QtInstanceChannel::FileReceived,
                   [&](const QString& file) { received.append(file); });

  QProcess second;
  second.setWorkingDirectory(config.path());
  test::StartRealProgram(second, runtime.Path(), config.path(), false, {"boat.rtv"});
  ASSERT_TRUE(test::WaitUntil(
      "the file", [&] { return !received.isEmpty(); }, 20000));
  EXPECT_EQ(received, QStringList{config.path() + "/boat.rtv"});
  ASSERT_TRUE(second.waitForFinished(20000));
  EXPECT_EQ(second.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(second.exitCode(), 0);

  // Without a file the running copy is only brought forward.
  QProcess third;
  test::StartRealProgram(third, runtime.Path(), config.path());
  ASSERT_TRUE(test::WaitUntil(
      "the request", [&] { return received.size() == 2; }, 20000));
  EXPECT_EQ(received.back(), QString());
  ASSERT_TRUE(third.waitForFinished(20000));
  EXPECT_EQ(third.exitCode(), 0);
}

TEST(DataLookupTest, TheProgramWithoutItsDataNamesTheFoldersAndWritesNothing) {
  const RuntimeFolder runtime;
  const QTemporaryDir config;
  const QTemporaryDir prefix;
  ASSERT_TRUE(QDir(prefix.path()).mkpath("bin"));
  const QString alone = prefix.path() + "/bin/rtv612";
  ASSERT_TRUE(QFile::copy(RTV_PROGRAM, alone));
  QProcess program;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_RUNTIME_DIR", runtime.Path());
  environment.insert("XDG_CONFIG_HOME", config.path());
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  program.setProcessEnvironment(environment);
  program.start(alone, {});
  QByteArray error;
  // The box that follows waits for the user; what it says goes to standard error first.
  ASSERT_TRUE(test::WaitUntil(
      "the message",
      [&] {
        error += program.readAllStandardError();
        return error.contains(QString(prefix.path() + "/share/rtv612").toUtf8());
      },
      20000))
      << error.toStdString();
  EXPECT_TRUE(error.contains("Looked in:\n  " + QString(prefix.path() + "/bin").toUtf8()))
      << error.toStdString();
  EXPECT_TRUE(error.contains("RTV612.OVL")) << error.toStdString();
  program.kill();
  program.waitForFinished();
  EXPECT_TRUE(QDir(config.path()).isEmpty());
}

// The program with its shipped overlay and initial files.
struct RunningWindow : test::ProgramWindow {
  bool TitleNames(const char* file) const { return mainWindow->windowTitle().startsWith(file); }
};

TEST(HandOverTest, TheRunningCopyOpensAHandedFileOnceTheWindowIsFree) {
  RunningWindow w;
  QtInstanceChannel channel(QString::fromStdString(w.folder.File("lock.lock")));
  HandedFileOpener opener(channel, *w.mainWindow, w.controller->Files());
  fs::copy(w.folder.File("RTV612M2.rtv"), w.folder.File("boat.rtv"));
  fs::copy(w.folder.File("RTV612M3.rtv"), w.folder.File("ship.rtv"));

  opener.Take(QString::fromStdString(w.folder.File("boat.rtv")));
  EXPECT_TRUE(w.TitleNames("boat.rtv")) << w.mainWindow->windowTitle().toStdString();
  EXPECT_TRUE(w.mainWindow->isVisible());
  EXPECT_EQ(w.controller->Model().ModelType(), 2);

  // A radio exchange holds the window: the file waits for its end.
  w.mainWindow->setEnabled(false);
  opener.Take(QString::fromStdString(w.folder.File("ship.rtv")));
  QCoreApplication::processEvents();
  EXPECT_TRUE(w.TitleNames("boat.rtv")) << w.mainWindow->windowTitle().toStdString();
  w.mainWindow->setEnabled(true);
  EXPECT_TRUE(test::WaitUntil("ship.rtv opened", [&] { return w.TitleNames("ship.rtv"); }));
  EXPECT_EQ(w.controller->Model().ModelType(), 3);
}

}  // namespace
}  // namespace rtv
