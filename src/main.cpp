#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>

#include "app/AppSettings.h"
#include "app/CloneCommands.h"
#include "app/FileCommands.h"
#include "app/ModelController.h"
#include "app/RecoveryFile.h"
#include "app/widgets/Application.h"
#include "app/widgets/FirstPaintProbe.h"
#include "app/widgets/MainWindow.h"
#include "app/widgets/ProgramStyle.h"
#include "app/widgets/SignalShutdown.h"
#include "base/Colour.h"
#include "base/Fatal.h"
#include "base/MessageBus.h"
#include "link/PortDiscovery.h"
#include "link/widgets/LoggingLinkTrace.h"
#include "overlay/OverlayText.h"
#include "platform/posix/IniSettings.h"
#include "platform/posix/PosixSerialDevice.h"
#include "platform/qt/QtInstanceLock.h"
#include "platform/qt/QtPrompts.h"
#include "platform/qt/QtTimers.h"
#include "platform/qt/TerminationSignals.h"

int main(int argc, char** argv) {
  using namespace rtv;
  // A second copy leaves the first alone and ends at once: it shows, loads and saves nothing.
  const QtInstanceLock instance(AppSettings::kMutexName);
  if (!instance.IsFirstInstance() && instance.Problem().isEmpty()) return 0;
  TerminationSignals termination;

  Application app(argc, argv);
  if (!instance.Problem().isEmpty()) {
    // Not a second copy: this one cannot tell whether it would be the only one.
    std::fprintf(stderr, "rtv612: %s\n", qPrintable(instance.Problem()));
    termination.OnSignal(&SignalShutdown::CloseDialogs);
    QMessageBox::critical(nullptr, QFileInfo(QCoreApplication::applicationFilePath()).fileName(),
                          instance.Problem());
    return 1;
  }
  QApplication::setStyle(new ProgramStyle(QApplication::style()->name()));
  FirstPaintProbe::WatchIfAsked("QMainWindow");
  const QString folder = QCoreApplication::applicationDirPath();
  SetExecutableName(QFileInfo(QCoreApplication::applicationFilePath()).fileName().toStdString());
  QtPrompts prompts;
  SetFatalPrompts(&prompts);

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
  const std::string base = QDir(folder).filePath("RTV612").toStdString();
  overlay.SetFile(base + ".OVL");
  helpOverlay.SetFile(base + "H.OVL");

  QtTimers timers;
  MessageBus bus(timers);
  // Outlives the controller, whose link closes it last.
  PosixSerialDevice serial;
  LoggingLinkTrace linkTrace;
  ModelController controller({settings, overlay, helpOverlay, bus, timers, timers, prompts});
  controller.SetExecutableFolder(folder.toStdString());
  std::vector<std::string> arguments;
  for (const QString& argument : QCoreApplication::arguments()) {
    arguments.push_back(argument.toStdString());
  }
  controller.SetCommandLine(std::move(arguments));
  PortEnvironment ports;
  ports.settings = &store;
  controller.AttachLink(serial, ports);
  if (LoggingLinkTrace::Enabled()) controller.Clone()->Link().Link().SetTrace(&linkTrace);
  controller.Files().SetStartDirectory(
      QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toStdString(),
      QDir::currentPath().toStdString());

  MainWindow form(controller, settings);
  prompts.SetOwner(&form);
  RecoveryFile recovery(controller, controller.Files(), prompts, RecoveryFile::DefaultFolder());
  SignalShutdown shutdown(prompts, form, recovery);
  termination.OnSignal([&shutdown] { shutdown.Run(); });
  controller.Setup(form);
  if (!settingsProblem.empty()) {
    controller.PostStatusText(settingsProblem, ToColourValue(SystemColour::WindowText),
                              ToColourValue(SystemColour::ButtonFace));
  }
  // Asked in the event loop, where a signal can still end the program.
  QTimer::singleShot(0, [&recovery] { recovery.Offer(); });
  const int status = app.exec();
  prompts.SetOwner(nullptr);
  return status;
}
