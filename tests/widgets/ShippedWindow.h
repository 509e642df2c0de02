// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTreeWidget>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "ManualClock.h"
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

// The main window on the shipped overlay and the generated initial files, with test doubles
// of the clock and, unless told otherwise, of the prompts.
template <typename PromptsType = ScriptedPrompts>
struct ShippedWindowWith {
  // `arguments` is the command line, program name first.
  explicit ShippedWindowWith(std::vector<std::string> arguments = {}) : settings(true) {
    namespace fs = std::filesystem;
    for (const auto& entry : fs::directory_iterator(RTV_INITIAL_DIR)) {
      fs::copy(entry.path(), folder.Path() + "/" + entry.path().filename().string());
    }
    overlay.SetFile(RTV_DATA_DIR "/RTV612.OVL");
    help.SetFile(RTV_DATA_DIR "/RTV612H.OVL");
    settings.ApplyDefaults(1024, 768);
    controller = std::make_unique<MainController>(
        ControllerServices{settings, overlay, help, bus, clock, clock, prompts});
    controller->SetDataFolder(folder.Path());
    controller->Modes().SetCommandLine(std::move(arguments));
    form = std::make_unique<MainWindow>(*controller, settings);
    controller->Setup(*form);
  }
  ~ShippedWindowWith() {
    form.reset();
    // A sheet closed last waits for the event loop to be freed, and it still needs the bus.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }

  // Selects the tree node of a sheet; once the tree's delay has passed the window opens it.
  void Choose(const char* sheet) {
    QTreeWidgetItem* node = form->Tree()->FindNode(sheet);
    ASSERT_NE(node, nullptr) << sheet;
    form->Tree()->setCurrentItem(node);
    clock.Advance(TreeDelayMs());
    ASSERT_TRUE(WaitUntil(sheet, [&] { return Shows(sheet); }));
  }
  // With no sheet on show, the controller's next tick brings the tree's choice back.
  void TickUntilASheetShows() {
    clock.Advance(MainController::kControllerTickMs);
    ASSERT_TRUE(WaitUntil("a sheet on show", [&] { return form->CurrentSheet() != nullptr; }));
  }
  // The messages posted so far, delivered on the bus's tick.
  void DeliverPosted() { clock.Advance(MessageBus::kTickMs); }
  bool Shows(const std::string& sheet) const {
    return form->CurrentSheet() != nullptr && form->CurrentSheet()->sheet().descriptor() == sheet;
  }
  int TreeDelayMs() { return std::atoi(overlay.GetFirstLine("GI_Sys_TreeChangeDelay").c_str()); }
  QAction* MenuItem(const char* link, int index = -1) {
    return FindMenuAction(*form->menuBar(), link, index);
  }

  TempFolder folder;
  ManualClock clock;
  PromptsType prompts;
  AppSettings settings;
  OverlayText overlay;
  OverlayText help;
  MessageBus bus{clock};
  std::unique_ptr<MainController> controller;
  std::unique_ptr<MainWindow> form;
};

using ShippedWindow = ShippedWindowWith<>;

}  // namespace rtv::test
