// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "cells/CellAccessHost.h"
#include "cells/ChoiceLists.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "sheet/OptionalSheets.h"
#include "sheet/Sheet.h"
#include "sheet/SheetModelHost.h"
#include "sheet/TreeSheets.h"

namespace rtv {

class OverlayText;
class TextMetrics;

// The sheets of one image as the tree would offer them, built without a window on a copy of
// the image: what a comparison or a report reads. Nothing done to these sheets reaches the
// image they were made from.
class ImageSheets : public CellAccessHost, public SheetModelHost {
 public:
  ImageSheets(OverlayText& overlay, const TextMetrics& metrics, const EepromImage& image);
  ImageSheets(const ImageSheets&) = delete;
  ImageSheets& operator=(const ImageSheets&) = delete;

  // The model type the image names; a value outside 0-6 counts as 0.
  static int ModelTypeOf(const EepromImage& image);

  // Replaces the image the sheets read; sheets built before show it on their next access,
  // but their rows were laid out for the image before.
  void SetImage(const EepromImage& image);
  const EepromImage& Image() const { return image_; }
  ChoiceLists& Choices() { return choices_; }
  // The channel sheets list only the channels in use, as the program's view may.
  void SetChannelsInUseOnly(bool on) { channelsInUseOnly_ = on; }

  // The tree's sheets for this image (no maker or adjustment sheets).
  std::vector<TreeSheets::Entry> List();
  // A sheet of any key, built on this image.
  std::unique_ptr<Sheet> Build(const std::string& key);

  // Showing only.
  void AfterImageWrite() override {}
  EepromImage* CellImage() override { return &image_; }
  OverlayText* CellOverlay() override { return &overlay_; }
  ChoiceLists* CellChoices() override { return &choices_; }
  int CellModelType() const override { return ModelTypeOf(image_); }
  bool ChannelSheetsUsedOnly() const override { return channelsInUseOnly_; }

  int ModelType() const override { return ModelTypeOf(image_); }
  bool UsableView() const override { return channelsInUseOnly_; }
  std::uint8_t RegionFlags() const override;
  ChannelMarks Channel(ListKind kind, int row) const override {
    return ChannelOf(image_, kind, row);
  }

 private:
  OverlayText& overlay_;
  EepromImage image_;
  ChoiceLists choices_;
  ItemAccessor accessor_{this};
  SheetServices services_;
  bool channelsInUseOnly_ = false;
};

}  // namespace rtv
