// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/InitialFiles.h"

#include "base/Fatal.h"
#include "clonefile/CloneFile.h"
#include "overlay/OverlayText.h"
#include "radio/EepromImage.h"
#include "radio/RadioModel.h"

namespace rtv {

void InitialFiles::Read(int modelType, EepromImage& image) const {
  std::string path = folder_;
  if (!path.empty() && path.back() != '/') path += '/';
  if (!overlay_.HasKey("GI_App_InitialFile")) {
    FatalError("Cannot open the initial file of model " + std::to_string(modelType) + ": '" + path +
               "RTV612.OVL' names none (GI_App_InitialFile).");
  }
  path += overlay_.GetLine("GI_App_InitialFile", modelType);
  CloneFile reader(overlay_, prompts_);
  reader.SetImage(&image);
  reader.SetModelCode(static_cast<std::uint16_t>(RadioModel::kModelCode));
  reader.SetExtensionCode(static_cast<std::uint16_t>(RadioModel::kExtensionCode));
  reader.SetMapRevisionCheck([](int revision) { return revision == 1; });
  if (reader.Read(path, kCloneRanges) != kFileOk ||
      RadioModel::Validate(image, RadioModel::Strictness::Loose) != RadioModel::Validity::Valid) {
    FatalError("Cannot open '" + path + "'.");
  }
}

void InitialFiles::CheckAll(std::int32_t imageSize, int readAlready) const {
  EepromImage scratch;
  scratch.SetSize(imageSize);
  for (int model = 0; model < RadioModel::kModelTypes; ++model) {
    if (model != readAlready) Read(model, scratch);
  }
}

}  // namespace rtv
