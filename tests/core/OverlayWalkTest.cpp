// SPDX-License-Identifier: GPL-3.0-or-later
// Walks the shipped overlay the way the program uses it: every sheet and choice list built
// in every model and view, every bound cell evaluated on every generated initial image, and
// the menu, toolbar and tree read and refreshed.
#include <gtest/gtest.h>

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "FixedTextMetrics.h"
#include "ImageModelHost.h"
#include "MemoryAccessHost.h"
#include "ScriptedPrompts.h"
#include "ShippedData.h"
#include "cells/CellCatalog.h"
#include "clonefile/CloneFile.h"
#include "menus/ItemStates.h"
#include "menus/OverlayItems.h"
#include "sheet/ModelSheet.h"

namespace rtv {
namespace {

const std::string kOverlay = test::DataFile("RTV612.OVL");
// The memory window of the service tools shows raw bytes through links the service
// windows serve; nothing else of the overlay may stay unserved.
constexpr const char* kServiceOnlySheet = "GI_Sheet_EeDebugWin";

// Every sheet and choice list of the overlay: the keys with a "_Cells" entry.
std::vector<std::string> SheetKeys() {
  std::vector<std::string> keys;
  std::ifstream in(kOverlay);
  std::string line;
  const std::string suffix = "_Cells";
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind("#GI_Sheet_", 0) == 0 && line.size() > suffix.size() &&
        line.compare(line.size() - suffix.size(), suffix.size(), suffix) == 0) {
      keys.push_back(line.substr(1, line.size() - 1 - suffix.size()));
    }
  }
  return keys;
}

void LoadInitialImage(MemoryAccessHost& host, int model) {
  test::ScriptedPrompts prompts;
  CloneFile reader(host.overlay, prompts);
  reader.SetImage(&host.image);
  reader.SetModelCode(0x3974);
  reader.SetExtensionCode(1);
  reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  const std::string file = host.overlay.GetLine("GI_App_InitialFile", model);
  ASSERT_EQ(reader.Read(test::InitialFile(file), kCloneRanges), kFileOk);
}

TEST(OverlayWalkTest, EverySheetBuildsAndEveryBoundCellShowsARealValue) {
  const std::vector<std::string> keys = SheetKeys();
  ASSERT_GT(keys.size(), 60u);
  std::set<std::string> problems;
  long evaluated = 0;
  for (int model = 0; model < 7; ++model) {
    MemoryAccessHost host(kOverlay);
    host.modelType = model;
    host.cloneInformation = CloneInformation{};
    host.cloneInformation->esn = "0012345678";
    host.adjustment = AdjustmentState{};
    LoadInitialImage(host, model);
    const EepromImage before(host.image);
    test::ImageModelHost sheetModel(host.image, model);
    test::FixedTextMetrics metrics;
    SheetServices services{host.overlay, metrics, [&](CellRequest& request, bool notify) {
                             return host.accessor.AccessCell(request, notify);
                           }};
    for (const bool usable : {false, true}) {
      for (const bool connected : {false, true}) {
        sheetModel.usable = usable;
        host.usedOnly = usable;
        host.adjustmentConnected = connected;
        for (const std::string& key : keys) {
          ModelSheet sheet(services, sheetModel, host.overlay, key);
          sheet.Build();
          EXPECT_GT(sheet.rowCount(), 0) << key;
          for (int row = 0; row < sheet.rowCount(); ++row) {
            for (int column = 0; column < sheet.columnCount(); ++column) {
              const Cell& cell = sheet.CellAt(column, row).cell;
              if (cell.cellLink == kCellLinkNone) continue;
              CellRequest request;
              request.cell = &cell;
              host.accessor.AccessCell(request, false);
              ++evaluated;
              const std::string& text = request.displayText;
              const bool unserved = text.find("*Yet*") != std::string::npos;
              if ((unserved && key != kServiceOnlySheet) || text == "error" ||
                  (request.resultFlags & CellRequest::kResultError) != 0) {
                problems.insert("model " + std::to_string(model) + " " + key + " " +
                                CellLinkName(cell.cellLink) + ": '" + text + "'");
              }
            }
          }
        }
      }
    }
    // Showing never writes.
    EXPECT_TRUE(host.image.Equals(before)) << "model " << model;
  }
  for (const std::string& problem : problems) ADD_FAILURE() << problem;
  // Three channel plans of 421 rows alone hold thousands of bound cells per pass.
  EXPECT_GT(evaluated, 7 * 4 * 3 * 421 * 5);
}

TEST(OverlayWalkTest, MenuToolbarAndTreeReadAndRefresh) {
  MemoryAccessHost host(kOverlay);
  LoadInitialImage(host, 0);
  struct Body {
    const char* key;
    bool nested;
    std::size_t minimumItems;
  };
  const Body bodies[] = {{"GI_Menu_Main", true, 8},
                         {"GI_ToolBar_Main", false, 8},
                         {"GI_Tree_Main", true, 1},
                         {"GI_PMenu_Edit", true, 1},
                         {"GI_PMenu_NoItem", true, 1}};
  for (const Body& body : bodies) {
    OverlayItems items;
    if (body.nested) {
      items.BuildNested(host.overlay, body.key);
    } else {
      items.BuildFlat(host.overlay, body.key);
    }
    EXPECT_GE(items.Items().size(), body.minimumItems) << body.key;
    std::vector<OverlayItem*> pending;
    for (OverlayItem& item : items.Items()) pending.push_back(&item);
    while (!pending.empty()) {
      OverlayItem* item = pending.back();
      pending.pop_back();
      for (OverlayItem& child : item->children) pending.push_back(&child);
      if (item->cell.cellLink == kCellLinkNone) continue;
      RefreshItemState(host.accessor, item->cell, nullptr);
    }
  }
  // Reading menus never runs a command.
  EXPECT_TRUE(host.commands.empty());
}

}  // namespace
}  // namespace rtv
