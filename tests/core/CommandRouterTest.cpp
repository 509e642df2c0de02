// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandRouter.h"

#include <gtest/gtest.h>

#include "ControllerFixture.h"
#include "app/MainController.h"
#include "cells/CellCatalog.h"

namespace rtv {
namespace {

struct RouterFixture : test::ControllerFixture {
  RouterFixture()
      : ControllerFixture(RadioModel::kImageSize,
                          {"#GI_Mess_Maker_Caution", "Careful.", "#GI_StatusPanel_Maker", "M"}) {
    controller->Setup(view);
  }
  std::uint8_t Flags(const char* cellLink, int index) {
    Cell cell;
    cell.cellLink = CellLinkNumber(cellLink);
    cell.index = index;
    return router.State(cell.cellLink, cell).flags;
  }
  void Run(const char* cellLink, int index) {
    Cell cell;
    cell.cellLink = CellLinkNumber(cellLink);
    cell.index = index;
    router.Run(cell.cellLink, cell);
  }
  CommandRouter router{*controller};
};

constexpr std::uint8_t kChecked = CellAccessHost::kCommandChecked;
constexpr std::uint8_t kHidden = CellAccessHost::kCommandHidden;
constexpr std::uint8_t kDisabled = CellAccessHost::kCommandDisabled;

TEST(CommandRouterTest, ItemStatesFollowTheSettingsTheSheetAndTheModes) {
  RouterFixture f;
  f.settings.fontSizePercentage = 125;
  f.settings.modelType = 3;
  struct Case {
    const char* cellLink;
    int index;
    std::uint8_t flags;
  };
  const Case before[] = {
      {"CL_Menu_View_FontSize", 125, kChecked},
      {"CL_Menu_View_FontSize", 100, 0},
      {"CL_Model", 3, kChecked},
      {"CL_Model", 0, 0},
      {"CL_Menu_File_Exp", 0, kDisabled},  // a CSV item: no sheet on show
      {"CL_Menu_File_Exp", CommandRouter::kCompareWithFile, 0},
      {"CL_Menu_Debug_Window", 0, kHidden},
      {"CL_Menu_Adjust_Read", 0, kHidden},
  };
  for (const Case& c : before)
    EXPECT_EQ(f.Flags(c.cellLink, c.index), c.flags) << c.cellLink << c.index;
  f.controller->Modes().MakerOn();
  f.controller->Modes().AdjustOn();
  EXPECT_EQ(f.Flags("CL_Menu_Debug_Window", 0), 0);
  EXPECT_EQ(f.Flags("CL_Menu_Adjust_Read", 0), 0);
}

TEST(CommandRouterTest, ViewCommandsChangeTheSettings) {
  RouterFixture f;
  const int toolbar = f.settings.toolbarVisible;
  f.Run("CL_Menu_View_ToolBar", 0);
  EXPECT_NE(f.settings.toolbarVisible, toolbar);
  f.Run("CL_Menu_View_ToolBar", 0);
  EXPECT_EQ(f.settings.toolbarVisible, toolbar);

  const int closed = f.view.sheetsClosed;
  f.settings.fontSizePercentage = 100;
  f.Run("CL_Menu_View_FontSize", 150);
  EXPECT_EQ(f.settings.fontSizePercentage, 150);
  EXPECT_EQ(f.view.sheetsClosed, closed + 1);  // reopened in the new size
  EXPECT_TRUE(f.controller->TakeColumnWidthReset());
  EXPECT_FALSE(f.controller->TakeColumnWidthReset());
  f.Run("CL_Menu_View_FontSize", 150);  // the same size: the widths stay
  EXPECT_FALSE(f.controller->TakeColumnWidthReset());
}

}  // namespace
}  // namespace rtv
