// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ManualClock.h"
#include "MemorySettingsStore.h"
#include "MenuSearch.h"
#include "ScriptedPrompts.h"
#include "TempFolder.h"
#include "WaitUntil.h"
#include "app/AppSettings.h"
#include "app/MainController.h"
#include "app/widgets/MainWindow.h"
#include "base/MessageBus.h"
#include "cells/CellNames.h"
#include "menus/widgets/MenuBuilder.h"
#include "menus/widgets/TreeBuilder.h"
#include "overlay/OverlayText.h"
#include "sheet/Sheet.h"
#include "sheet/widgets/SheetPane.h"

namespace rtv::test {

// The program's main window on the shipped overlay, help and initial files, with test
// doubles of the clock and, unless told otherwise, of the prompts. The one fixture of the
// main window: every widget test that needs it starts it here.
template <typename PromptsType = ScriptedPrompts>
class ProgramWindowWith {
 public:
  // A first start whose settings are the defaults of a 1024 × 768 screen, kept nowhere.
  // `arguments` is the command line, program name first.
  explicit ProgramWindowWith(std::vector<std::string> arguments = {}) : settings(true) {
    settings.ApplyDefaults(1024, 768);
    Start(std::move(arguments));
  }
  // A start on the settings in `store`, which outlives the window: a second window on the
  // same store is the next start.
  explicit ProgramWindowWith(MemorySettingsStore& store, std::vector<std::string> arguments = {})
      : settings(store, true, ScreenSize().width(), ScreenSize().height()) {
    Start(std::move(arguments));
  }
  ProgramWindowWith(const ProgramWindowWith&) = delete;
  ProgramWindowWith& operator=(const ProgramWindowWith&) = delete;
  ~ProgramWindowWith() {
    mainWindow.reset();
    // A sheet closed last waits for the event loop to be freed, and it still needs the bus.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  static QSize ScreenSize() { return QGuiApplication::primaryScreen()->size(); }

  // Ends as the program does at a normal end: the window's place and the settings are kept.
  void Quit() {
    mainWindow->StorePlacement();
    settings.Save();
  }
  bool Shows(const std::string& sheet) const {
    return mainWindow->CurrentSheet() != nullptr &&
           mainWindow->CurrentSheet()->sheet().descriptor() == sheet;
  }
  int TreeDelayMs() { return std::atoi(overlay.GetFirstLine("GI_Sys_TreeChangeDelay").c_str()); }
  // Selects the tree node of a sheet; once the tree's delay has passed the window opens it.
  [[nodiscard]] ::testing::AssertionResult Choose(const char* sheet) {
    QTreeWidgetItem* node = mainWindow->Tree()->FindNode(sheet);
    if (node == nullptr) return ::testing::AssertionFailure() << "no node for " << sheet;
    mainWindow->Tree()->setCurrentItem(node);
    clock.Advance(TreeDelayMs());
    return WaitUntil(sheet, [&] { return Shows(sheet); });
  }
  // With no sheet on show, the controller's next tick brings the tree's choice back.
  [[nodiscard]] ::testing::AssertionResult TickUntilASheetShows() {
    clock.Advance(MainController::kControllerTickMs);
    return WaitUntil("a sheet on show", [&] { return mainWindow->CurrentSheet() != nullptr; });
  }
  // The messages posted so far, delivered on the bus's tick.
  void DeliverPosted() { clock.Advance(MessageBus::kTickMs); }
  // Lets the controller's tick and the posted messages run.
  void Tick() {
    clock.Advance(MainController::kControllerTickMs);
    clock.Advance(MessageBus::kTickMs);
    QApplication::processEvents();
  }
  QAction* MenuItem(const char* cellLink, int index = -1) {
    return FindMenuAction(*mainWindow->menuBar(), cellLink, index);
  }

  TempFolder folder;
  ManualClock clock;
  PromptsType prompts;
  AppSettings settings;
  OverlayText overlay;
  OverlayText help;
  MessageBus bus{clock};
  std::unique_ptr<MainController> controller;
  std::unique_ptr<MainWindow> mainWindow;

 private:
  void Start(std::vector<std::string> arguments) {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(RTV_INITIAL_DIR)) {
      fs::copy(entry.path(), folder.Path() + "/" + entry.path().filename().string());
    }
    fs::copy(RTV_DATA_DIR "/help", folder.Path() + "/help");
    overlay.SetFile(RTV_DATA_DIR "/RTV612.OVL");
    help.SetFile(RTV_DATA_DIR "/RTV612H.OVL");
    controller = std::make_unique<MainController>(
        ControllerServices{settings, overlay, help, bus, clock, clock, prompts});
    controller->SetDataFolder(folder.Path());
    controller->Modes().SetCommandLine(std::move(arguments));
    mainWindow = std::make_unique<MainWindow>(*controller, settings);
    controller->Setup(*mainWindow);
  }
};

using ProgramWindow = ProgramWindowWith<>;

// For a fixture that keeps its own settings store: listed as a base before the window, the
// store is made before the window reads it.
struct SettingsStoreFirst {
  MemorySettingsStore store;
};

}  // namespace rtv::test
