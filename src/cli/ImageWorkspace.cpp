// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ImageWorkspace.h"

#include <ctime>

#include "base/Fatal.h"
#include "clonefile/CloneComment.h"
#include "clonefile/CloneFile.h"
#include "clonefile/ReadBackups.h"
#include "overlay/OverlayText.h"
#include "radio/MemoryLayout.h"
#include "radio/RadioMemoryMap.h"

namespace rtv::tools {

ImageWorkspace::ImageWorkspace(OverlayText& overlay, Prompts& prompts, std::string dataFolder,
                               int modelType)
    : overlay_(overlay),
      prompts_(prompts),
      dataFolder_(std::move(dataFolder)),
      modelType_(modelType),
      choices_(overlay) {
  working_.SetSize(RadioModel::kImageSize);
  template_.SetSize(RadioModel::kImageSize);
  InstallMemoryMap(accessor_);
}

std::string ImageWorkspace::InitialFilePath(int modelType) const {
  return dataFolder_ + "/" + overlay_.GetLine("GI_App_InitialFile", modelType);
}

bool ImageWorkspace::ReadTemplate(const std::string& path) {
  if (ReadFile(path, template_) != kFileOk ||
      RadioModel::Validate(template_, RadioModel::Strictness::Loose) !=
          RadioModel::Validity::Valid) {
    return false;
  }
  model_.Normalise(template_, NormaliseDirection::AfterLoad);
  return true;
}

int ImageWorkspace::ReadFile(const std::string& path, EepromImage& image) {
  CloneFile reader(overlay_, prompts_);
  reader.SetImage(&image);
  reader.SetModelCode(RadioModel::kModelCode);
  reader.SetExtensionCode(RadioModel::kExtensionCode);
  reader.SetMapRevisionCheck([](int revision) { return revision == RadioModel::kMapRevision; });
  return reader.Read(path, kCloneRanges);
}

void ImageWorkspace::PrepareWriter(CloneFile& writer, EepromImage& image) const {
  writer.SetImage(&image);
  writer.SetModelCode(RadioModel::kModelCode);
  writer.SetExtensionCode(RadioModel::kExtensionCode);
  writer.SetComment(CloneCommentOf(image));
  writer.SetMapRevision(RadioModel::kMapRevision);
}

int ImageWorkspace::WriteFile(const std::string& path, EepromImage& image) {
  CloneFile writer(overlay_, prompts_);
  PrepareWriter(writer, image);
  return writer.Write(path, kCloneRanges);
}

std::string ImageWorkspace::WriteBackup(EepromImage& image, int radioVersion, std::string& error) {
  CloneFile writer(overlay_, prompts_);
  PrepareWriter(writer, image);
  return ReadBackups(ReadBackups::DefaultFolder())
      .Save(writer, {ModelType(), radioVersion, ReadBackups::OwnMmsiOf(image)}, std::time(nullptr),
            error);
}

bool ImageWorkspace::LoadTemplates(int modelType, std::string& failedPath) {
  for (int model = 0; model < RadioModel::kModelTypes; ++model) {
    // Normalising a template follows the rules of its own model.
    modelType_ = model;
    const std::string path = InitialFilePath(model);
    if (!ReadTemplate(path)) {
      failedPath = path;
      return false;
    }
    templates_[static_cast<std::size_t>(model)].Assign(template_);
  }
  templatesLoaded_ = true;
  SwitchModel(modelType);
  return true;
}

void ImageWorkspace::SwitchModel(int modelType) {
  if (!templatesLoaded_ || modelType < 0 || modelType >= RadioModel::kModelTypes) {
    FatalError("No initial image of model " + std::to_string(modelType) + " was loaded.");
  }
  modelType_ = modelType;
  template_.Assign(templates_[static_cast<std::size_t>(modelType)]);
}

OptionalSheets ImageWorkspace::CurrentOptionalSheets() const {
  return OptionalSheets::For(RegionFlags(), modelType_, false, false);
}

std::uint8_t ImageWorkspace::RegionFlags() const {
  return working_.GetByte(MemoryLayout::kRegionFlags);
}

ChannelMarks ImageWorkspace::Channel(ListKind kind, int row) const {
  return ChannelOf(working_, kind, row);
}

}  // namespace rtv::tools
