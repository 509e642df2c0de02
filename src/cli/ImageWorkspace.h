// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <string>

#include "cells/CellAccessHost.h"
#include "cells/ChoiceLists.h"
#include "radio/EepromImage.h"
#include "radio/ItemAccessor.h"
#include "radio/RadioModel.h"
#include "radio/RadioModelHost.h"
#include "sheet/OptionalSheets.h"
#include "sheet/SheetModelHost.h"

namespace rtv {
class CloneFile;
class OverlayText;
class Prompts;
}  // namespace rtv

namespace rtv::tools {

// The images of the tool, kept as the program keeps them: the initial image of the current
// model type with the model's rules over it, and the working image the sheet commands read
// and edit through an item accessor. Clone files are read and written by the program's own
// reader and writer.
class ImageWorkspace : public RadioModelHost, public CellAccessHost, public SheetModelHost {
 public:
  // Initial files are looked for in `dataFolder`.
  ImageWorkspace(OverlayText& overlay, Prompts& prompts, std::string dataFolder, int modelType);
  ImageWorkspace(const ImageWorkspace&) = delete;
  ImageWorkspace& operator=(const ImageWorkspace&) = delete;

  const std::string& DataFolderPath() const { return dataFolder_; }

  RadioModel& Model() { return model_; }
  EepromImage& Working() { return working_; }

  // Where the initial file of a model type is.
  std::string InitialFilePath(int modelType) const;
  // Reads the initial file of every model type, so that no command starts on a model it
  // cannot serve; then the template is the given model's. False, with the path of the
  // first file that cannot be read (the reader's message shown) or holds no valid image.
  bool LoadTemplates(int modelType, std::string& failedPath);
  // The clone range of a file into an image, with the model's codes and map revision; the
  // reader's result, its message shown.
  int ReadFile(const std::string& path, EepromImage& image);
  // Writes the clone range of an image as File > Save does: complete or not at all.
  int WriteFile(const std::string& path, EepromImage& image);
  // Keeps an image read from a radio of the current model among the read backups; the
  // path written, or empty with the reason in error.
  std::string WriteBackup(EepromImage& image, int radioVersion, std::string& error);

  // The sheet commands: the accessor and choice lists of the working image, the view switch
  // and the optional sheets of the tree.
  ItemAccessor& Accessor() { return accessor_; }
  ChoiceLists& Choices() { return choices_; }
  void SetUsableView(bool on) { usable_ = on; }
  OptionalSheets CurrentOptionalSheets() const;

  // The model's rules.
  const EepromImage& ModelTemplate() const override { return template_; }
  int ModelType() const override { return modelType_; }
  // Takes the model's template loaded at the start.
  void SwitchModel(int modelType) override;

  // The accessor's: nothing waits for edits (no warnings, no dirty mark).
  void AfterImageWrite() override {}
  EepromImage* CellImage() override { return &working_; }
  OverlayText* CellOverlay() override { return &overlay_; }
  ChoiceLists* CellChoices() override { return &choices_; }
  int CellModelType() const override { return modelType_; }
  bool ChannelSheetsUsedOnly() const override { return usable_; }

  // The channel sheets'.
  bool UsableView() const override { return usable_; }
  std::uint8_t RegionFlags() const override;
  ChannelMarks Channel(ListKind kind, int row) const override;

 private:
  // A writer of the program's clone files for the image.
  void PrepareWriter(CloneFile& writer, EepromImage& image) const;
  bool ReadTemplate(const std::string& path);

  OverlayText& overlay_;
  Prompts& prompts_;
  std::string dataFolder_;
  int modelType_;
  bool usable_ = false;
  EepromImage working_;
  EepromImage template_;
  std::array<EepromImage, RadioModel::kModelTypes> templates_;
  bool templatesLoaded_ = false;
  RadioModel model_{*this};
  ChoiceLists choices_;
  ItemAccessor accessor_{this};
};

}  // namespace rtv::tools
