// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <string>

namespace rtv {

class EepromImage;
class OverlayText;
class Prompts;

// The models' initial files in the data folder: each model's default image. Without it a
// model has no template, so a file that cannot be read or holds no valid image ends the
// program.
class InitialFiles {
 public:
  InitialFiles(OverlayText& overlay, Prompts& prompts) : overlay_(overlay), prompts_(prompts) {}

  void SetFolder(const std::string& folder) { folder_ = folder; }
  const std::string& Folder() const { return folder_; }

  // Reads and validates a model's initial file into `image`.
  void Read(int modelType, EepromImage& image) const;
  // Every model's file, once at the start: a broken one found only when a read or an
  // opened file switches the model would end the program then, with the user's work.
  // `readAlready`: the model whose file was just read, which needs no second read.
  void CheckAll(std::int32_t imageSize, int readAlready) const;

 private:
  OverlayText& overlay_;
  Prompts& prompts_;
  std::string folder_;
};

}  // namespace rtv
