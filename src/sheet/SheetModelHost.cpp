// SPDX-License-Identifier: GPL-3.0-or-later
#include "sheet/SheetModelHost.h"

#include "radio/ChannelRow.h"
#include "radio/EepromImage.h"

namespace rtv {

ChannelMarks SheetModelHost::ChannelOf(const EepromImage& image, ListKind kind, int row) {
  // Loading reads only; the row record wants the image it would store into.
  ChannelRow record(const_cast<EepromImage&>(image));
  record.LoadRow(kind, row);
  ChannelMarks marks;
  marks.pChannel = record.pFlag;
  marks.cChannel = record.cFlag;
  marks.inhibited = record.inhibited;
  marks.nameBlank = record.FreeNameBlank();
  return marks;
}

}  // namespace rtv
