// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/CommandRouter.h"

#include "app/AppSettings.h"
#include "app/CloneCommands.h"
#include "app/FileCommands.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "app/SheetCsvCommands.h"
#include "base/Message.h"
#include "base/MessageBus.h"
#include "cells/CellNames.h"

namespace rtv {
namespace {

constexpr std::uint8_t kChecked = CellAccessHost::kCommandChecked;
constexpr std::uint8_t kHidden = CellAccessHost::kCommandHidden;
constexpr std::uint8_t kDisabled = CellAccessHost::kCommandDisabled;
constexpr std::uint8_t kRelabelled = CellAccessHost::kCommandRelabelled;

}  // namespace

void CommandRouter::Run(int cellLink, const Cell& cell) {
  CloneCommands* clone = controller_.Clone();
  MainView* view = controller_.View();
  AppSettings& settings = controller_.Settings();
  if (cellLink == LinkNo("CL_Model")) {
    controller_.ChangeModel(cell.index, true);
    return;
  }
  if (clone != nullptr && clone->Run(cellLink, cell)) return;
  switch (cellLink) {
    case LinkNo("CL_Menu_File_New"):
      controller_.Files().New();
      break;
    case LinkNo("CL_Menu_File_Open"):
      controller_.Files().Open();
      break;
    case LinkNo("CL_Menu_File_Save"):
      controller_.Files().Save();
      break;
    case LinkNo("CL_Menu_File_SaveAs"):
      controller_.Files().SaveAs();
      break;
    case LinkNo("CL_Menu_File_Recent"):
      controller_.Files().RecentItemExecute(cell.index);
      break;
    case LinkNo("CL_Menu_File_Exit"):
      controller_.Files().Exit();
      break;
    case LinkNo("CL_Menu_File_Exp"):
      if (cell.index == kCompareWithFile) {
        controller_.CompareWithFile();
      } else if (cell.index == kOpenBackup) {
        controller_.Files().OpenBackup();
      } else {
        controller_.SheetCsv().Run(cell.index);
      }
      break;
    case LinkNo("CL_Menu_File_Print_Current"):
      if (view != nullptr && view->CanPrintSheet()) view->PrintSheets(false);
      break;
    case LinkNo("CL_Menu_File_Print_All"):
      if (view != nullptr && view->SheetOnShow() != nullptr) view->PrintSheets(true);
      break;
    case LinkNo("CL_Menu_View_FontSize"):
      if (settings.fontSizePercentage != cell.index) controller_.ForgetColumnWidths();
      settings.fontSizePercentage = cell.index;
      if (view != nullptr) view->CloseCurrentSheet();  // reopened in the new size
      break;
    case LinkNo("CL_Menu_View_ToolBar"):
      settings.toolbarVisible = settings.toolbarVisible == 1 ? 0 : 1;
      if (view != nullptr) view->SetToolbarVisible(settings.toolbarVisible == 1);
      break;
    case LinkNo("CL_Menu_Port_Com"):
      settings.portNumber = cell.index;
      controller_.Bus().Send(msg::ModeChanged{});
      break;
    case LinkNo("CL_Help_About"):
      controller_.Bus().Post(msg::ShowAbout{});
      break;
    case LinkNo("CL_Help_Contents"):
      controller_.OpenHelp(kCellLinkNone);
      break;
    case LinkNo("CL_PMenu_Help"):
      controller_.OpenHelp(cell.cellLink);
      break;
    case LinkNo("CallSheet"):
      if (view != nullptr && cell.option) view->OpenSheet(*cell.option);
      break;
    // The maker's service tools; the memory window's entry with index 1 opens the flag bits.
    case LinkNo("CL_Menu_Debug_EeWindow"):
      if (cell.index == kFlagBitsEntry) {
        controller_.Bus().Post(msg::OpenFlagBitsWindow{});
      } else {
        controller_.Bus().Post(msg::OpenMemoryWindow{});
      }
      break;
    case LinkNo("CL_Menu_Debug_Compare"):
      controller_.Bus().Post(msg::OpenDebugCompareWindow{});
      break;
    case LinkNo("CL_Menu_Debug_CorrectComp"):
      controller_.Bus().Post(msg::TakeReference{});
      break;
    case LinkNo("CL_Menu_Debug_Window"):
      controller_.Bus().Post(msg::OpenFreeDebugWindow{});
      break;
    default:
      break;  // the other commands arrive with their windows
  }
}

CellAccessHost::CommandState CommandRouter::State(int cellLink, const Cell& cell) {
  CloneCommands* clone = controller_.Clone();
  MainView* view = controller_.View();
  const AppSettings& settings = controller_.Settings();
  CellAccessHost::CommandState state;
  auto checkedWhen = [&state](bool on) {
    if (on) state.flags |= kChecked;
  };
  switch (cellLink) {
    case LinkNo("CL_Menu_File_Recent"): {
      const FileCommands::RecentItem item = controller_.Files().RecentItemState(cell.index);
      if (!item.visible) state.flags |= kHidden;
      if (!item.enabled) state.flags |= kDisabled;
      if (!item.caption.empty()) {
        state.flags |= kRelabelled;
        state.caption = item.caption;
      }
      break;
    }
    case LinkNo("CL_Menu_File_Exp"):
      // The CSV items work on the sheet on show; a comparison and a backup on the whole image.
      if (cell.index < kCompareWithFile && (view == nullptr || view->SheetOnShow() == nullptr)) {
        state.flags |= kDisabled;
      }
      break;
    case LinkNo("CL_Menu_File_Print_Current"):
      if (view == nullptr || !view->CanPrintSheet()) state.flags |= kDisabled;
      break;
    case LinkNo("CL_Menu_File_Print_All"):
      if (view == nullptr || view->SheetOnShow() == nullptr) state.flags |= kDisabled;
      break;
    case LinkNo("CL_Menu_View_FontSize"):
      checkedWhen(settings.fontSizePercentage == cell.index);
      break;
    case LinkNo("CL_Menu_View_ToolBar"):
      checkedWhen(settings.toolbarVisible == 1);
      break;
    case LinkNo("CL_Menu_Port_Com"):
      checkedWhen(settings.portNumber == cell.index);
      break;
    case LinkNo("CL_Menu_Port_Usb"):
      checkedWhen(settings.portNumber >= 5);
      break;
    default:
      break;
  }
  // What the modes and the radio link add.
  switch (cellLink) {
    case LinkNo("CL_Model"):
      if (cell.index == settings.modelType) state.flags |= kChecked;
      break;
    case LinkNo("CL_Menu_View_Ad"):
    case LinkNo("CL_Menu_Adjust_Read"):  // service work: shown in adjust mode only
      if (!controller_.Modes().Adjust()) state.flags |= kHidden;
      if (clone != nullptr && clone->AdjustWindowChecked()) state.flags |= kChecked;
      break;
    case LinkNo("CL_Menu_Port_Com"):
      if (clone != nullptr && clone->PortChecked(cell.index)) state.flags |= kChecked;
      break;
    case LinkNo("CL_Menu_Port_Usb"):
      if (clone != nullptr && clone->UsbPortChecked()) state.flags |= kChecked;
      break;
    case LinkNo("CL_Menu_Debug_Compare"):
    case LinkNo("CL_Menu_Debug_CorrectComp"):
    case LinkNo("CL_Menu_Debug_Window"):
    case LinkNo("CL_Menu_Debug_EeWindow"):
      if (!controller_.Modes().Maker()) state.flags |= kHidden;
      break;
    default:
      break;
  }
  return state;
}

}  // namespace rtv
