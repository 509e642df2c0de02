// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/CsvImportTrial.h"

#include <memory>

#include "compare/ImageComparison.h"
#include "compare/ImageSheets.h"

namespace rtv {

CsvImportTrial::Outcome CsvImportTrial::Try(const EepromImage& image, const std::string& sheetKey,
                                            bool channelsInUseOnly, std::string_view csvText) {
  Outcome outcome;
  outcome.before.Assign(image);
  ImageSheets sheets(overlay_, metrics_, image);
  sheets.SetChannelsInUseOnly(channelsInUseOnly);
  const std::unique_ptr<Sheet> sheet = sheets.Build(sheetKey);
  outcome.report = SheetImporter(*sheet, sheets.Choices(), sheets.CellImage()).Import(csvText);
  outcome.after.Assign(sheets.Image());
  if (!outcome.ChangesNothing()) {
    outcome.differences = ImageComparison(overlay_, metrics_).Compare(image, outcome.after);
  }
  return outcome;
}

}  // namespace rtv
