// SPDX-License-Identifier: GPL-3.0-or-later
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "app/AppSettings.h"
#include "app/CloneCommands.h"
#include "app/FileCommands.h"
#include "app/MainController.h"
#include "app/RecoveryFile.h"
#include "app/widgets/Application.h"
#include "app/widgets/FirstPaintProbe.h"
#include "app/widgets/HandedFileOpener.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/ProgramCommandLine.h"
#include "app/widgets/ProgramIcon.h"
#include "app/widgets/ProgramStyle.h"
#include "app/widgets/SignalShutdown.h"
#include "base/Colour.h"
#include "base/Fatal.h"
#include "base/MessageBus.h"
#include "base/StatusColours.h"
#include "link/PortDiscovery.h"
#include "link/widgets/LoggingLinkTrace.h"
#include "overlay/OverlayText.h"
#include "platform/posix/DataFolder.h"
#include "platform/posix/IniSettings.h"
#include "platform/posix/PosixSerialDevice.h"
#include "platform/qt/QtInstanceChannel.h"
#include "platform/qt/QtInstanceLock.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtTimers.h"
#include "platform/qt/TerminationSignals.h"

namespace {

void NameTheProgram() {
  QCoreApplication::setApplicationName("rtv612");
  QCoreApplication::setApplicationVersion(RTV_VERSION);
}

// --help and --version answer on a terminal without a display.
int AnswerHelpOrVersion(int argc, char** argv) {
  const QCoreApplication console(argc, argv);
  NameTheProgram();
  const rtv::ProgramCommandLine line(QCoreApplication::arguments());
  const bool refused = line.WhatToDo() == rtv::ProgramCommandLine::Action::Refuse;
  std::fprintf(refused ? stderr : stdout, "%s\n", qPrintable(line.Text()));
  return refused ? 64 : 0;
}

}  // namespace

int main(int argc, char** argv) {
  using namespace rtv;
  if (ProgramCommandLine::AsksForHelpOrVersion(argc, argv)) return AnswerHelpOrVersion(argc, argv);
  // A second copy hands its file to the first, which comes forward, and ends: it shows,
  // loads and saves nothing.
  const QtInstanceLock instance(AppSettings::kMutexName);
  QtInstanceChannel channel(instance.FileName());
  if (!instance.IsFirstInstance() && instance.Problem().isEmpty()) {
    const QCoreApplication console(argc, argv);
    const ProgramCommandLine line(QCoreApplication::arguments());
    if (line.WhatToDo() == ProgramCommandLine::Action::Refuse) {
      std::fprintf(stderr, "rtv612: %s\n", qPrintable(line.Text()));
      return 64;
    }
    // Without a file there is nothing to lose when the running copy does not answer.
    if (!channel.Send(line.File()) && !line.File().isEmpty()) {
      std::fprintf(stderr, "rtv612: a copy of the program is running but did not take %s.\n",
                   qPrintable(line.File()));
    }
    return 0;
  }
  TerminationSignals termination;

  Application app(argc, argv);
  NameTheProgram();
  const ProgramCommandLine line(QCoreApplication::arguments());
  if (line.WhatToDo() == ProgramCommandLine::Action::Refuse) {
    std::fprintf(stderr, "rtv612: %s\n", qPrintable(line.Text()));
    return 64;
  }
  if (!instance.Problem().isEmpty()) {
    // Not a second copy: this one cannot tell whether it would be the only one.
    std::fprintf(stderr, "rtv612: %s\n", qPrintable(instance.Problem()));
    termination.OnSignal(&SignalShutdown::CloseDialogs);
    QMessageBox::critical(nullptr, QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                          instance.Problem());
    return 1;
  }
  QApplication::setWindowIcon(ProgramIcon::Make());
  QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
  FirstPaintProbe::WatchIfAsked("QMainWindow");
  SetExecutableName(QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString());
  QtPrompts prompts;
  SetFatalPrompts(&prompts);
  // Nothing starts half-way without the data: the box names every folder looked in.
  const std::vector<std::string> looked =
      DataFolder::Candidates(DataFolder::ExecutableFolder(argv[0]));
  const std::optional<std::string> found = DataFolder::FindIn(looked);
  if (!found) FatalError(DataFolder::MissingMessage(looked));
  const std::string& folder = *found;

  const QScreen* screen = QGuiApplication::primaryScreen();
  const QSize screenSize = screen != nullptr ? screen->size() : QSize(1024, 768);
  // Outlives everything below and writes the settings back when main returns; a fatal
  // error ends the process without getting there, so nothing is saved then. Read and written
  // by the program itself: a pipe or a device in its place must not hang the start.
  IniSettings store(IniSettings::DefaultPath(), IniPersistence::kWriteBack);
  const std::string settingsProblem =
      store.LoadProblem().empty()
          ? std::string()
          : store.LoadProblem() + "; the settings start from their defaults.";
  if (!settingsProblem.empty()) std::fprintf(stderr, "rtv612: %s\n", settingsProblem.c_str());
  AppSettings settings(store, instance.IsFirstInstance(), screenSize.width(), screenSize.height());

  OverlayText overlay;
  OverlayText helpOverlay;
  const std::string base = folder + "/RTV612";
  overlay.SetFile(base + ".OVL");
  helpOverlay.SetFile(base + "H.OVL");

  QtTimers timers;
  MessageBus bus(timers);
  // Outlives the controller, whose link closes it last.
  PosixSerialDevice serial;
  LoggingLinkTrace linkTrace;
  MainController controller({settings, overlay, helpOverlay, bus, timers, timers, prompts});
  controller.SetDataFolder(folder);
  std::vector<std::string> arguments;
  for (const QString& argument : QCoreApplication::arguments()) {
    arguments.push_back(argument.toStdString());
  }
  controller.Modes().SetCommandLine(std::move(arguments));
  PortEnvironment ports;
  ports.settings = &store;
  controller.AttachLink(serial, ports);
  if (LoggingLinkTrace::Enabled()) controller.Clone()->Link().Link().SetTrace(&linkTrace);
  controller.Files().SetStartDirectory(
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString(),
      QDir::currentPath().toStdString());

  MainWindow mainWindow(controller, settings);
  prompts.SetOwner(&mainWindow);
  RecoveryFile recovery(controller, controller.CurrentDocument(), controller.Files(), prompts,
                        RecoveryFile::DefaultFolder());
  SignalShutdown shutdown(prompts, mainWindow, recovery);
  termination.OnSignal([&shutdown] { shutdown.Run(); });
  controller.Setup(mainWindow);
  if (!settingsProblem.empty()) {
    controller.PostStatusText(settingsProblem, kPlainStatus.text, kPlainStatus.background);
  }
  HandedFileOpener opener(channel, mainWindow, controller.Files());
  if (!channel.Listen()) {
    std::fprintf(stderr, "rtv612: files started later will not reach this window: %s\n",
                 qPrintable(channel.SocketName()));
  }
  if (!line.File().isEmpty()) opener.Take(line.File());
  // Asked in the event loop, where a signal can still end the program; the file opened above
  // is unchanged, so taking the recovered changes loses nothing.
  QTimer::singleShot(0, [&recovery] { recovery.Offer(); });
  const int status = app.exec();
  prompts.SetOwner(nullptr);
  return status;
}
