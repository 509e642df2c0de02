// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <string_view>

#include "compare/ImageDifferences.h"
#include "radio/EepromImage.h"
#include "sheet/SheetImporter.h"

namespace rtv {

class OverlayText;
class TextMetrics;

// A CSV import tried on a copy of an image, so that the user sees what it would change
// before anything does: the importer's report, the image the import would leave and its
// differences from the image it was tried on. The image given is never touched.
class CsvImportTrial {
 public:
  struct Outcome {
    SheetImporter::Report report;
    EepromImage before;
    EepromImage after;
    ImageDifferences differences;
    // The import would leave every byte as it is (a refused file changes nothing either).
    bool ChangesNothing() const { return after.Equals(before); }
  };

  CsvImportTrial(OverlayText& overlay, const TextMetrics& metrics)
      : overlay_(overlay), metrics_(metrics) {}

  // Imports `csvText` into the sheet `sheetKey` of a copy of `image`. `channelsInUseOnly`
  // lists the channel sheets' rows as the sheet on show lists them, so that lines land on
  // the rows they would land on there.
  Outcome Try(const EepromImage& image, const std::string& sheetKey, bool channelsInUseOnly,
              std::string_view csvText);

 private:
  OverlayText& overlay_;
  const TextMetrics& metrics_;
};

}  // namespace rtv
