// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "cells/CellCatalog.h"

namespace rtv {

class EepromImage;

// Which way an image is normalised: just loaded (a file, a radio, the initial file), or
// about to be saved or written into the radio.
enum class NormaliseDirection { AfterLoad, BeforeSave };

// Makes an image agree with the model's template wherever the model fixes the contents,
// and rebuilds what is derived from the rest (row records, the service block copy and its
// check byte). Only fixed addresses inside the memory map are touched, so an image of any
// contents is safe; images smaller than the memory map are left as they are.
class ImageNormaliser {
 public:
  // The service block: the firmware's adjustment area, and where its checked copy lives.
  static constexpr std::int32_t kServiceBlock = 0x0050;
  static constexpr std::int32_t kServiceBlockLength = 276;
  static constexpr std::int32_t kServiceCopy = 0x01A0;

  // `templateImage` must outlive the normaliser; it may be the image being normalised.
  ImageNormaliser(const EepromImage& templateImage, int modelType, bool adjustMode);

  // Returns false, changing nothing, when either image is smaller than the memory map.
  bool Normalise(EepromImage& image, NormaliseDirection direction) const;

 private:
  void CopyByte(EepromImage& image, std::int32_t address) const;
  void CopyBits(EepromImage& image, std::int32_t address, std::uint8_t mask) const;
  void CopyBlock(EepromImage& image, std::int32_t first, std::int32_t last) const;
  static void StoreAgain(EepromImage& image, ListKind kind, int row);
  bool ModelZeroOrSix() const { return modelType_ == 0 || modelType_ == 6; }

  void ChannelAttributes(EepromImage& image) const;
  void FreeChannels(EepromImage& image) const;
  void RegionSettings(EepromImage& image, NormaliseDirection direction) const;
  void Comments(EepromImage& image) const;
  void Atis(EepromImage& image) const;
  void DscChannels(EepromImage& image) const;
  void SelfId(EepromImage& image) const;
  void DscCallsAndAlarms(EepromImage& image) const;
  void IdNames(EepromImage& image) const;
  void ServiceBlock(EepromImage& image) const;

  const EepromImage& template_;
  int modelType_;
  bool adjustMode_;
};

}  // namespace rtv
