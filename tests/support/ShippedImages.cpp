// SPDX-License-Identifier: GPL-3.0-or-later
#include "ShippedImages.h"

#include "ScriptedPrompts.h"
#include "clonefile/CloneFile.h"
#include "radio/ImageNormaliser.h"
#include "radio/RadioModel.h"

namespace rtv::test {

bool ReadShippedImage(OverlayText& overlay, const std::string& path, int modelType,
                      EepromImage& image) {
  ScriptedPrompts prompts;
  CloneFile reader(overlay, prompts);
  image.SetSize(RadioModel::kImageSize);
  reader.SetImage(&image);
  reader.SetModelCode(RadioModel::kModelCode);
  reader.SetExtensionCode(RadioModel::kExtensionCode);
  reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  if (reader.Read(path, kCloneRanges) != kFileOk) return false;
  ImageNormaliser(image, modelType, false).Normalise(image, NormaliseDirection::AfterLoad);
  return true;
}

}  // namespace rtv::test
