// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ImageCompareCommands.h"

#include "app/Document.h"
#include "app/FileCommands.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "base/Prompts.h"
#include "compare/ImageComparison.h"
#include "compare/ImageSheets.h"
#include "radio/EepromImage.h"
#include "sheet/SheetExporter.h"

namespace rtv {

std::optional<ImageDifferences> ImageCompareCommands::CompareWithFile(const std::string& path) {
  EepromImage other;
  if (!controller_.Files().ReadImageFile(path, other)) return std::nullopt;
  return CompareWith(other);
}

ImageDifferences ImageCompareCommands::CompareWith(const EepromImage& other) {
  return ImageComparison(controller_.Overlay(), metrics_).Compare(document_.Working(), other);
}

void ImageCompareCommands::Show(const std::string& title, const std::string& origin,
                                const EepromImage& other) {
  const ImageDifferences differences = CompareWith(other);
  MainView* view = controller_.View();
  if (differences.Same() || !differences.refusal.empty() || view == nullptr) {
    const std::string text = differences.Same()
                                 ? "No differences: " + origin + " holds what the program holds."
                             : differences.refusal.empty() ? differences.Text()
                                                           : differences.refusal;
    controller_.UserPrompts().Message(
        text.c_str(), controller_.ApplicationTitle(),
        differences.refusal.empty() ? PromptIcon::Information : PromptIcon::Warning,
        PromptButtons::Ok);
    return;
  }
  view->ShowDifferences(title, origin, other);
}

SheetImporter::Report ImageCompareCommands::TakeValues(const ImageDifferences& differences,
                                                       const std::vector<std::size_t>& chosen) {
  SheetImporter::Report all;
  // Edited on a copy, on the sheets the comparison was made on; the working image takes the
  // result at once, as one step.
  ImageSheets sheets(controller_.Overlay(), metrics_, document_.Working());
  for (std::size_t index : chosen) {
    if (index >= differences.cells.size()) continue;
    const ImageDifferences::Cell& cell = differences.cells[index];
    const ImageDifferences::Place& place = cell.place;
    if (place.rowA < 0 || place.rowB < 0) {
      all.issues.push_back({0, 0,
                            cell.sheetTitle() + " | " + cell.rowLabel +
                                ": the row is not listed in both; left out"});
      continue;
    }
    // Built again for each cell: a value taken may change the rows a sheet lists.
    const std::unique_ptr<Sheet> sheet = sheets.Build(place.sheetKey);
    std::vector<CsvTable::Row> rows = SheetExporter(*sheet).Table();
    const auto row = static_cast<std::size_t>(place.rowA);
    const auto column = static_cast<std::size_t>(place.column);
    if (row >= rows.size() || column >= rows[row].size()) continue;
    rows[row][column] = cell.valueB;
    const SheetImporter::Report report =
        SheetImporter(*sheet, sheets.Choices(), sheets.CellImage()).Import(CsvTable::Write(rows));
    all.taken += report.taken;
    all.takenCells.insert(all.takenCells.end(), report.takenCells.begin(), report.takenCells.end());
    for (SheetImporter::Issue issue : report.issues) {
      issue.reason = cell.sheetTitle() + " | " + cell.rowLabel + ": " + issue.reason;
      all.issues.push_back(issue);
    }
  }
  if (!sheets.Image().Equals(document_.Working())) {
    document_.BeginStep("Take values", controller_.PlaceOnShow());
    document_.Working().Assign(sheets.Image());
    document_.EndStep();
    document_.CheckDirty();
    controller_.Warnings().Restart();
    if (controller_.View() != nullptr) controller_.View()->CloseCurrentSheet();
  }
  return all;
}

void ImageCompareCommands::ShowPlace(const ImageDifferences::Place& place) {
  if (controller_.View() != nullptr) {
    controller_.View()->ShowEditPlace(place.sheetKey, place.cellLink, place.index);
  }
}

void ImageCompareCommands::Warn(const std::string& text) {
  controller_.UserPrompts().Message(text.c_str(), controller_.ApplicationTitle(),
                                    PromptIcon::Warning, PromptButtons::Ok);
}

}  // namespace rtv
