// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include "radio/ImageNormaliser.h"

namespace rtv {

class EepromImage;
class RadioModelHost;

// The image rules of this radio family: model code 0x3974, extension code 1, 32 KB images
// with a valid flag and the maker's name. The rules that depend on the model type work
// against the host's initial image of it.
class RadioModel {
 public:
  static constexpr std::uint16_t kModelCode = 0x3974;
  static constexpr std::uint16_t kExtensionCode = 1;
  static constexpr std::int32_t kImageSize = 32768;
  static constexpr int kMapRevision = 1;  // the only memory map clone files may carry
  static constexpr int kModelTypes = 7;
  static constexpr const char* kMakerName = "Vrel Inc";

  // Files and initial files need the valid flag only; what a radio sends also carries the
  // maker's name.
  enum class Strictness { Loose, Strict };
  enum class Validity { Valid, Invalid };
  enum class MapAge { NotNewer, Newer };

  // `host` must outlive the rules.
  explicit RadioModel(RadioModelHost& host) : host_(host) {}

  static Validity Validate(const EepromImage& image, Strictness strictness);
  static MapAge CheckNotNewer(const EepromImage& image);
  // A freshly read image: the DSC ID lists re-sorted.
  static void AfterRead(EepromImage& image);
  // An image taken in from a file or a radio: the model it names becomes current, then the
  // image is normalised against that model's template.
  void AfterLoad(EepromImage& image);
  void Normalise(EepromImage& image, NormaliseDirection direction) const;

 private:
  RadioModelHost& host_;
};

}  // namespace rtv
