// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QFileInfo>
#include <QGuiApplication>
#include <QProcess>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <memory>
#include <string>

#include "BuiltPrograms.h"
#include "MemorySettingsStore.h"
#include "ScriptedPrompts.h"
#include "ShippedData.h"
#include "TempFolder.h"
#include "app/AppSettings.h"
#include "app/CloneCommands.h"
#include "app/MainController.h"
#include "app/widgets/MainWindow.h"
#include "cells/Cell.h"
#include "link/widgets/LinkWindows.h"
#include "link/widgets/ProgressWindow.h"
#include "overlay/OverlayText.h"
#include "platform/posix/PosixSerialDevice.h"
#include "platform/qt/QtTimers.h"
#include "radio/ImageVersion.h"

namespace rtv::test {

inline constexpr int kSimPort = 7;
inline constexpr int kExchangeLimitMs = 30000;

// radiosim on a pseudo-terminal, reached through a link in a folder of the test.
class Simulator {
 public:
  explicit Simulator(std::string link) : link_(std::move(link)) {}
  ~Simulator() {
    process_.kill();
    process_.waitForFinished(3000);
  }
  bool Start(const QStringList& options = {}) {
    QStringList arguments = {"--link", QString::fromStdString(link_), "--verbose"};
    arguments << options;
    process_.start(test::RadioSimPath(), arguments);
    if (!process_.waitForStarted(5000)) return false;
    return QTest::qWaitFor([this] { return QFileInfo(QString::fromStdString(link_)).exists(); },
                           5000);
  }
  // What the simulator logged so far.
  QString Log() {
    log_ += QString::fromUtf8(process_.readAllStandardError());
    return log_;
  }
  // Whether the log shows `text` once what the simulator wrote has come through its pipe,
  // which may be after the exchange has ended.
  bool LogShows(const QString& text) {
    return QTest::qWaitFor([&] { return Log().contains(text); }, 2000);
  }

 private:
  std::string link_;
  QProcess process_;
  QString log_;
};

struct RadioFixture {
  // The program's own overlay and initial files, as the installed program has them.
  RadioFixture() : settings(true) {
    overlay.SetFile(test::DataFile("RTV612.OVL"));
    help.SetFile(test::DataFile("RTV612H.OVL"));
    for (const auto& entry : std::filesystem::directory_iterator(test::InitialFolder())) {
      std::filesystem::copy(entry.path(), folder.Path() + "/" + entry.path().filename().string());
    }
    const QSize screen = QGuiApplication::primaryScreen()->size();
    settings.ApplyDefaults(screen.width(), screen.height());
    settings.portNumber = kSimPort;
    store.WriteString(kPortMapGroup, "COM" + std::to_string(kSimPort), SimLink());
    ports.settings = &store;
    controller = std::make_unique<MainController>(
        ControllerServices{settings, overlay, help, bus, timers, timers, prompts});
    std::filesystem::copy(test::DataFile("icons"), folder.Path() + "/icons");
    controller->SetDataFolder(folder.Path());
    controller->AttachLink(device, ports);
    mainWindow = std::make_unique<MainWindow>(*controller, settings);
    controller->Setup(*mainWindow);
  }
  ~RadioFixture() {
    mainWindow.reset();
    controller.reset();
  }

  std::string SimLink() const { return folder.Path() + "/radio"; }
  CloneCommands& Commands() { return *controller->Clone(); }
  void Command(int cellLink, int index = 0) {
    Cell cell;
    cell.index = index;
    controller->RunCellCommand(cellLink, cell);
  }
  bool WaitForIdle() {
    return QTest::qWaitFor([this] { return !Commands().IsBusy(); }, kExchangeLimitMs);
  }
  std::string LastText() const {
    return prompts.shown.empty() ? std::string() : prompts.shown.back().text;
  }
  std::string Head(int status) { return overlay.GetLine("GI_Mess_CloneErr_Head", status); }
  ProgressWindow* Progress() { return mainWindow->RadioLinkWindows().Progress(); }
  // Sets the model's version threshold, the digits at 0x015A, 0x015C-0x015E.
  void SetThreshold(const char* digits) {
    EepromImage& model = controller->CurrentDocument().Template();
    const int offsets[] = {0, 2, 3, 4};
    for (int i = 0; i < 4; ++i) {
      model.SetByte(ImageVersion::kThousands + offsets[i], static_cast<std::uint8_t>(digits[i]));
    }
  }

  TempFolder folder;
  QtTimers timers;
  ScriptedPrompts prompts;
  MemorySettingsStore store;
  PortEnvironment ports;
  AppSettings settings;
  OverlayText overlay;
  OverlayText help;
  MessageBus bus{timers};
  PosixSerialDevice device;
  std::unique_ptr<MainController> controller;
  std::unique_ptr<MainWindow> mainWindow;
};

}  // namespace rtv::test
