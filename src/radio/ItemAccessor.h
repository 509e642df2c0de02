// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "cells/CellAccess.h"
#include "cells/CellCatalog.h"
#include "cells/CellRequest.h"

namespace rtv {

class CellAccessHost;
class ChannelRow;
struct Cell;

// The one entry point through which every cell is served: the sheet view, the menus, printing
// and the warning checks all ask here. Links are served by families; a family without a
// handler shows its cell link number followed by " *Yet*".
class ItemAccessor {
 public:
  // Access flags passed to the changed notification.
  static constexpr int kAccessDone = 0x01;
  static constexpr int kAccessListRow = 0x08;
  static constexpr int kAccessUseChanged = 0x20;

  using FamilyHandler = std::function<AccessResult(CellAccess&)>;

  // The host serves the image, the lists and the messages; without one the accessor uses a
  // quiet host with no image.
  explicit ItemAccessor(CellAccessHost* host = nullptr);
  ~ItemAccessor();
  ItemAccessor(const ItemAccessor&) = delete;
  ItemAccessor& operator=(const ItemAccessor&) = delete;

  // Every link of the family is served by `handler` from now on.
  void Serve(LinkFamily family, FamilyHandler handler);

  // Serves one request; `notify` asks for the changed notification. Says what the sheet view does
  // next.
  AccessResult AccessCell(CellRequest& request, bool notify);

  // Without sheet view or canvas, key 0: the text a cell shows, and its warning and error bits.
  std::string CellText(int cellType, int cellLink, int index);
  std::uint8_t CellFlags(int cellType, int cellLink, int index);
  bool CheckCell(int cellType, int cellLink, int index);
  // The whole request of such a display-only access.
  CellRequest Probe(int cellType, int cellLink, int index);
  // Why a cell is marked, in words; empty for no reason or without an overlay.
  std::string MarkText(CellMarkReason reason);

 private:
  // Line 0 of an overlay text; empty without an overlay.
  std::string OverlayLine(const char* key);
  // Commands 73–81 on a cell; false when the cell is not to be served afterwards.
  bool RunCommand(CellAccess& access);
  // The rules of a list row that come before the column itself; true when they served the
  // cell already.
  bool PrepareRow(CellAccess& access);
  bool PrepareChannelRow(CellAccess& access, ChannelRow& row);
  bool PrepareFreeChannel(CellAccess& access, ChannelRow& row);
  bool PrepareIdRow(CellAccess& access, ChannelRow& row);

  CellAccessHost& host_;
  std::string editRestrictedText_;  // looked up once
  std::array<FamilyHandler, kLinkFamilyCount> handlers_;
};

}  // namespace rtv
