// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/ProgramItems.h"

#include <cstdio>
#include <string>
#include <vector>

#include "cells/Cell.h"
#include "cells/CellAccess.h"
#include "cells/CellAccessHost.h"
#include "cells/CellEditor.h"
#include "cells/TextEditor.h"
#include "overlay/OverlayText.h"
#include "radio/ChannelRow.h"
#include "radio/CloneInformation.h"
#include "radio/Readings.h"

namespace rtv {
namespace {

constexpr ColourValue kLayoutGrey = 8421504;
constexpr int kPillarPercent = 30;

void ShowText(CellRequest& request, std::string text) {
  request.displayText = std::move(text);
  request.selectionStart = 0;
  request.selectionLength = static_cast<int>(request.displayText.size());
}

void ShowOwnText(CellAccess& access) {
  ShowText(access.request, access.cell.text.value_or(std::string()));
}

// Line `n` of an overlay entry, when the entry has it.
std::string OverlayLine(OverlayText* overlay, const char* key, int n) {
  if (overlay == nullptr || n < 0 || !overlay->HasKey(key)) return {};
  const std::string body = overlay->GetText(key);
  std::size_t start = 0;
  for (int line = 0; line < n; ++line) {
    start = body.find('\n', start);
    if (start == std::string::npos) return {};
    ++start;
  }
  return body.substr(start, body.find('\n', start) - start);
}

}  // namespace

AccessResult ProgramItems::ServeCommand(CellAccess& access) {
  CellRequest& request = access.request;
  const Cell& cell = access.cell;
  ShowOwnText(access);
  CellAccessHost::CommandState state = access.host.CellCommandState(cell.cellLink, cell);
  request.userFlags |= state.flags;
  if ((state.flags & CellAccessHost::kCommandRelabelled) != 0) {
    ShowText(request, std::move(state.caption));
  }
  if (request.key == SpecialKey::Enter) {
    request.key = {};
    access.host.RunCellCommand(cell.cellLink, cell);
  }
  return AccessResult::Nothing;
}

AccessResult ProgramItems::ServePopupItem(CellAccess& access) {
  const int cellLink = access.cell.cellLink;
  if (cellLink == LinkNo("CL_PMenu_NoItem")) {
    // It only says that the menu has nothing to offer.
    access.request.userFlags |= CellAccessHost::kCommandDisabled;
    return AccessResult::Nothing;
  }
  if (cellLink < LinkNo("CL_PMenu_Copy") || cellLink > LinkNo("CL_PMenu_Insert")) {
    return AccessResult::Nothing;
  }
  // The row is the owner's, when the request names an owner on a list row.
  const ListKind kind = access.row != nullptr ? access.row->kind : ListKind::None;
  if (!access.host.RowOperationEnabled(cellLink, kind)) {
    access.request.userFlags |= CellAccessHost::kCommandDisabled;
  }
  return AccessResult::Nothing;
}

AccessResult ProgramItems::ServeCloneInformation(CellAccess& access) {
  CellRequest& request = access.request;
  const int cellLink = access.cell.cellLink;
  CloneInformation* info = access.host.CellCloneInformation();
  if (cellLink == LinkNo("CL_CloneInfo_Comment")) {
    if (info == nullptr) {
      access.MarkReadOnly();
      return AccessResult::Nothing;
    }
    TextEditor editor(info->comment, TextEditor::Charset::Printable);
    return editor.Serve(request);
  }
  access.MarkReadOnly();
  if (info == nullptr) return AccessResult::Nothing;
  switch (cellLink) {
    case LinkNo("CL_CloneInfo_Esn"): {
      std::string esn = EsnText(info->esn);
      if (request.command == LinkNo("CL_PMenu_WinCopy") && !esn.empty()) {
        access.host.CopyToClipboard(esn);
      }
      ShowText(request, std::move(esn));
      break;
    }
    case LinkNo("CL_CloneInfo_Model"): {
      std::string model =
          OverlayLine(access.host.CellOverlay(), "GI_AppInd_Model", info->modelType);
      ShowText(request, model.empty() ? std::to_string(info->modelType) : std::move(model));
      break;
    }
    case LinkNo("CL_CloneInfo_Revision"):
      ShowText(request, std::to_string(info->revision));
      break;
    case LinkNo("CL_CloneInfo_Option"):
      ShowText(request, info->option);
      break;
    default:
      break;
  }
  return AccessResult::Nothing;
}

AccessResult ProgramItems::ServeLayout(CellAccess& access) {
  CellRequest& request = access.request;
  const Cell& cell = access.cell;
  const CellRect& rect = request.cellRect;
  switch (cell.cellLink) {
    case LinkNo("CL_Misc_ChNo_0Base"):
      ShowText(request, std::to_string(cell.index));
      break;
    case LinkNo("CL_Misc_ChNo_1Base"):
      ShowText(request, std::to_string(static_cast<long long>(cell.index) + 1));
      break;
    case LinkNo("CL_Misc_QuarterPillar"):
      if (request.canvas != nullptr) {
        const int height = rect.bottom - rect.top;
        request.canvas->FillRect(
            {rect.left, rect.bottom - height * kPillarPercent / 100, rect.right, rect.bottom},
            kLayoutGrey);
      }
      break;
    default:  // CL_CannotEdit
      access.MarkReadOnly();
      if (request.canvas != nullptr) {
        request.canvas->DrawLine(rect.left, rect.bottom, rect.right, rect.top, kLayoutGrey);
      }
      break;
  }
  return AccessResult::Nothing;
}

AccessResult ProgramItems::ServeFixedText(CellAccess& access) {
  access.MarkReadOnly();
  ShowOwnText(access);
  return AccessResult::Nothing;
}

}  // namespace rtv
