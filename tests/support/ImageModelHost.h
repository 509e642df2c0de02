// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "radio/EepromImage.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModel.h"
#include "sheet/SheetModelHost.h"

namespace rtv::test {

// The model sheets' view of an image under test: the model the test names, the view switch
// it sets, and the region flags and channel rows the image holds.
class ImageModelHost : public SheetModelHost {
 public:
  ImageModelHost(const EepromImage& image, int model) : image_(image), model_(model) {}
  int ModelType() const override { return model_; }
  bool UsableView() const override { return usable; }
  std::uint8_t RegionFlags() const override { return image_.GetByte(MemoryLayout::kRegionFlags); }
  ChannelMarks Channel(ListKind kind, int row) const override {
    return ChannelOf(image_, kind, row);
  }

  bool usable = false;

 private:
  const EepromImage& image_;
  int model_;
};

}  // namespace rtv::test
