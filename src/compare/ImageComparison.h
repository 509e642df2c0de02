// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

#include "compare/ImageDifferences.h"
#include "sheet/CsvTable.h"

namespace rtv {

class EepromImage;
class ImageSheets;
class OverlayText;
class TextMetrics;

// Compares two images of one model as the user sees them: every sheet of the tree is built
// on each image and its cells' texts are compared, rows matched by their labels. Bytes that
// differ and change no cell are found by putting them back one group at a time and seeing
// whether any cell changes, so nothing differs unseen.
class ImageComparison {
 public:
  // Layouts of all sheets one comparison may spend on finding the bytes no cell shows;
  // beyond it the remaining byte ranges are listed as they are.
  static constexpr int kMaxProbes = 48;
  // Unshown ranges closer than this are listed as one.
  static constexpr int kJoinGap = 16;

  ImageComparison(OverlayText& overlay, const TextMetrics& metrics)
      : overlay_(overlay), metrics_(metrics) {}

  // `sheetKey` limits the comparison to one sheet (and leaves out the bytes no cell shows).
  ImageDifferences Compare(const EepromImage& a, const EepromImage& b,
                           const std::string& sheetKey = {});

  // The texts of one built sheet and what they say about its rows and columns.
  struct SheetTexts {
    std::string key;
    std::string title;
    std::vector<CsvTable::Row> texts;
    std::vector<std::vector<bool>> bound;                    // cells served from the image
    std::vector<std::vector<std::pair<int, int>>> bindings;  // each cell's cell link and index
    std::vector<std::string> rowKeys;                        // the texts that name each row
    int fixedColumns = 0;
    int fixedRows = 0;
    bool SameTexts(const SheetTexts& other) const {
      return key == other.key && texts == other.texts;
    }
  };

 private:
  std::vector<SheetTexts> Texts(ImageSheets& sheets, const std::string& sheetKey);
  // Whether the image `sheets` holds shows exactly what `reference` shows; stops at the
  // first sheet that differs.
  bool ShowsTheSame(ImageSheets& sheets, const std::vector<SheetTexts>& reference);
  // The differing byte runs no cell shows, each in `unseen`.
  void FindUnseen(const EepromImage& a, const EepromImage& b, const std::vector<SheetTexts>& textsB,
                  const std::vector<AddressRange>& runs, std::vector<bool>& unseen);

  OverlayText& overlay_;
  const TextMetrics& metrics_;
};

}  // namespace rtv
