// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "cells/CellCatalog.h"

namespace rtv {

class EepromImage;

// What a channel list row tells the channel sheets about itself.
struct ChannelMarks {
  bool pChannel = false;  // the region's "P" channel
  bool cChannel = false;  // the region's "C" channel
  bool inhibited = false;
  bool nameBlank = true;  // user channels: the free name is three blanks
};

// What the model-aware sheets read of the program: the model, the view switch and the
// channels that exist in the working image.
class SheetModelHost {
 public:
  virtual ~SheetModelHost() = default;
  // The "ModelType" setting, 0–6.
  virtual int ModelType() const = 0;
  // The "ChListType" setting is not 0: channel sheets list only the usable channels.
  virtual bool UsableView() const = 0;
  // An installed option; nothing detects one yet.
  virtual bool OptionInstalled() const { return false; }
  // The region and function flags of the working image (USA, weather, CAN in bits 0–2).
  virtual std::uint8_t RegionFlags() const = 0;
  // Channel row 0–420 of an INT, USA or CAN list.
  virtual ChannelMarks Channel(ListKind kind, int row) const = 0;

 protected:
  // What a channel row of an image says of itself, for hosts that keep the image.
  static ChannelMarks ChannelOf(const EepromImage& image, ListKind kind, int row);
};

}  // namespace rtv
