// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "base/PlainTextMetrics.h"
#include "compare/DifferenceActions.h"
#include "compare/ImageDifferences.h"
#include "sheet/SheetImporter.h"

namespace rtv {

class EepromImage;
class Document;
class MainController;

// Compare with File and Compare with Radio: the working image (A) against another image
// (B), as the sheets show them, and B's values taken into the working image cell by cell.
class ImageCompareCommands : public DifferenceActions {
 public:
  ImageCompareCommands(MainController& controller, Document& document)
      : controller_(controller), document_(document) {}

  // Null when the file cannot be used; the reader has told the user why.
  std::optional<ImageDifferences> CompareWithFile(const std::string& path);
  ImageDifferences CompareWith(const EepromImage& other) override;
  // The comparison as the user meets it: the differences window, named `title`, or a
  // message when nothing differs or the images cannot be compared (nothing listed then).
  void Show(const std::string& title, const std::string& origin, const EepromImage& other);
  SheetImporter::Report TakeValues(const ImageDifferences& differences,
                                   const std::vector<std::size_t>& chosen) override;
  void ShowPlace(const ImageDifferences::Place& place) override;
  void Warn(const std::string& text) override;

 private:
  MainController& controller_;
  Document& document_;
  PlainTextMetrics metrics_;
};

}  // namespace rtv
