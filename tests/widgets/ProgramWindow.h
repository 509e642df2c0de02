// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTreeWidget>
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

// The program's main window on the shipped overlay and initial files, with its settings in
// a store that outlives it: a second ProgramWindow on the same store is the next start.
class ProgramWindow {
 public:
  explicit ProgramWindow(MemorySettingsStore& store, std::vector<std::string> arguments = {})
      : settings(store, true, ScreenSize().width(), ScreenSize().height()) {
    for (const auto& entry : std::filesystem::directory_iterator(RTV_INITIAL_DIR)) {
      std::filesystem::copy(entry.path(), folder.Path() + "/" + entry.path().filename().string());
    }
    std::filesystem::copy(RTV_DATA_DIR "/help", folder.Path() + "/help");
    overlay.SetFile(RTV_DATA_DIR "/RTV612.OVL");
    help.SetFile(RTV_DATA_DIR "/RTV612H.OVL");
    controller = std::make_unique<MainController>(
        ControllerServices{settings, overlay, help, bus, clock, clock, prompts});
    controller->SetDataFolder(folder.Path());
    controller->Modes().SetCommandLine(std::move(arguments));
    form = std::make_unique<MainWindow>(*controller, settings);
    controller->Setup(*form);
  }
  static QSize ScreenSize() { return QGuiApplication::primaryScreen()->size(); }
  ~ProgramWindow() {
    form.reset();
    // A sheet closed last waits for the event loop to be freed, and it still needs the bus.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  // Ends as the program does at a normal end: the window's place and the settings are kept.
  void Quit() {
    form->StorePlacement();
    settings.Save();
  }

  bool Shows(const std::string& sheet) const {
    return form->CurrentSheet() != nullptr && form->CurrentSheet()->sheet().descriptor() == sheet;
  }
  int TreeDelayMs() { return std::atoi(overlay.GetFirstLine("GI_Sys_TreeChangeDelay").c_str()); }
  // Selects the tree node of a sheet and waits for the sheet.
  [[nodiscard]] ::testing::AssertionResult Choose(const char* sheet) {
    QTreeWidgetItem* node = form->Tree()->FindNode(sheet);
    if (node == nullptr) return ::testing::AssertionFailure() << "no node for " << sheet;
    form->Tree()->setCurrentItem(node);
    clock.Advance(TreeDelayMs());
    return WaitUntil(sheet, [&] { return Shows(sheet); });
  }
  // Lets the controller's tick and the posted messages run.
  void Tick() {
    clock.Advance(MainController::kControllerTickMs);
    clock.Advance(MessageBus::kTickMs);
    QApplication::processEvents();
  }
  QAction* MenuItem(const char* link, int index = -1) {
    return FindMenuAction(*form->menuBar(), link, index);
  }

  TempFolder folder;
  ManualClock clock;
  ScriptedPrompts prompts;
  AppSettings settings;
  OverlayText overlay;
  OverlayText help;
  MessageBus bus{clock};
  std::unique_ptr<MainController> controller;
  std::unique_ptr<MainWindow> form;
};

}  // namespace rtv::test
