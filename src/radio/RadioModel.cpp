// SPDX-License-Identifier: GPL-3.0-or-later
#include "radio/RadioModel.h"

#include <cstring>

#include "radio/EepromImage.h"
#include "radio/IdListSorter.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioModelHost.h"

namespace rtv {

RadioModel::Validity RadioModel::Validate(const EepromImage& image, Strictness strictness) {
  if (!image.IsValidAddress(MemoryLayout::kValidFlag) ||
      image.GetByte(MemoryLayout::kValidFlag) != 1) {
    return Validity::Invalid;
  }
  if (strictness == Strictness::Strict) {
    const std::size_t length = std::strlen(kMakerName);
    for (std::size_t i = 0; i < length; ++i) {
      const auto address = MemoryLayout::kMakerName + static_cast<std::int32_t>(i);
      if (image.GetByte(address) != static_cast<std::uint8_t>(kMakerName[i])) {
        return Validity::Invalid;
      }
    }
  }
  return Validity::Valid;
}

RadioModel::MapAge RadioModel::CheckNotNewer(const EepromImage&) {
  // The family has one memory map; a file of a newer one is refused by the reader's map
  // revision check before its image gets here.
  return MapAge::NotNewer;
}

void RadioModel::AfterRead(EepromImage& image) { IdListSorter::Sort(image); }

void RadioModel::AfterLoad(EepromImage& image) {
  // Any byte can stand here; only the seven model types have initial files.
  const int named = image.GetByte(MemoryLayout::kModelType);
  if (named < kModelTypes && named != host_.ModelType()) host_.SwitchModel(named);
  Normalise(image, NormaliseDirection::AfterLoad);
}

void RadioModel::Normalise(EepromImage& image, NormaliseDirection direction) const {
  ImageNormaliser(host_.ModelTemplate(), host_.ModelType(), host_.IsAdjustMode())
      .Normalise(image, direction);
}

}  // namespace rtv
