// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "cells/CellRequest.h"

namespace rtv {

struct CellAccess;

// Serves the cells that stand for the program rather than the image: menu commands and
// sheet calls, the clone information, the layout helpers and the fixed texts.
class ProgramItems {
 public:
  // Links 24–53: Enter runs the command through the host; the cell shows its own text,
  // a recent-file entry its "&%d %s" caption.
  static AccessResult ServeCommand(CellAccess& access);
  // Links 66–71, from what the host keeps of the last identify.
  static AccessResult ServeCloneInformation(CellAccess& access);
  // Links 83–86: row numbers, the quarter pillar and the cannot-edit stroke.
  static AccessResult ServeLayout(CellAccess& access);
  // Links 87–100: the cell's own text, read-only.
  static AccessResult ServeFixedText(CellAccess& access);
  // Links 72–82 as items of a cell popup menu (the command itself reaches the owner cell
  // through its sheet view): a row operation the owner's row cannot take is disabled.
  static AccessResult ServePopupItem(CellAccess& access);
};

}  // namespace rtv
