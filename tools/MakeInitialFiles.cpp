// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the initial file of every model type, named by the overlay, into a folder:
//   rtv_make_initial_files <overlay file> <output folder>
// Each holds the whole clone range of a model's default image (the marine channel plans of
// tools/initial), written by the program's own clone file writer so that the program reads
// exactly what it would save.

#include <cstdio>
#include <string>

#include "base/Fatal.h"
#include "base/Prompts.h"
#include "clonefile/CloneFile.h"
#include "initial/InitialImage.h"
#include "overlay/OverlayText.h"
#include "radio/RadioModel.h"

namespace rtv {
namespace {

// Messages go to standard error; there is nobody to answer.
class ConsolePrompts : public Prompts {
 public:
  PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon,
                       PromptButtons) override {
    std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    return PromptAnswer::Cancel;
  }
  std::optional<std::string> OpenFileName(const FileDialogRequest&) override {
    return std::nullopt;
  }
  std::optional<std::string> SaveFileName(const FileDialogRequest&) override {
    return std::nullopt;
  }
};

int Run(const std::string& overlayFile, const std::string& folder) {
  OverlayText overlay;
  overlay.SetFile(overlayFile);
  ConsolePrompts prompts;
  for (int model = 0; model < RadioModel::kModelTypes; ++model) {
    EepromImage image = initial::MakeInitialImage(model);
    CloneFile writer(overlay, prompts);
    writer.SetImage(&image);
    writer.SetModelCode(RadioModel::kModelCode);
    writer.SetExtensionCode(RadioModel::kExtensionCode);
    writer.SetMapRevision(RadioModel::kMapRevision);
    writer.SetComment("Initial image of model type " + std::to_string(model));
    const std::string path = folder + "/" + overlay.GetLine("GI_App_InitialFile", model);
    if (writer.Write(path, kCloneRanges) != kFileOk) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

}  // namespace
}  // namespace rtv

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <overlay file> <output folder>\n", argv[0]);
    return 2;
  }
  rtv::SetExecutableName("rtv_make_initial_files");
  return rtv::Run(argv[1], argv[2]);
}
