// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes as a CSV into a sheet of an initial file, as File > Import CSV into
// sheet does. The first byte picks the model and the sheet. The import must never crash, and
// the image may change only where the report says it took a cell: a refused file or a report
// without taken cells leaves every byte as it was, and every cell that shows another text
// afterwards lies in a row where a cell was taken.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "ShippedController.h"
#include "radio/RadioModel.h"
#include "sheet/Sheet.h"
#include "sheet/SheetExporter.h"
#include "sheet/SheetImporter.h"
#include "sheet/TreeSheets.h"

namespace {

using namespace rtv;

// The program's controller on one model's initial file, as at start-up, and the sheets that
// model can show.
struct ModelHarness : test::ShippedController {
  explicit ModelHarness(int model)
      : ShippedController(model), initial(controller.CurrentDocument().Working()) {
    OptionalSheets every;
    every.usaChannels = every.canadianChannels = every.weatherChannels = true;
    every.makerSheets = every.adjustSheets = true;
    for (const TreeSheets::Entry& entry : TreeSheets::List(overlay, every)) {
      sheets.push_back(entry.key);
    }
  }

  EepromImage initial;
  std::vector<std::string> sheets;
};

bool Same(const EepromImage& a, const EepromImage& b) {
  return a.Size() == b.Size() && std::equal(a.Data(), a.Data() + a.Size(), b.Data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  static std::unique_ptr<ModelHarness> models[RadioModel::kModelTypes];
  const int model = data[0] % RadioModel::kModelTypes;
  if (!models[model]) models[model] = std::make_unique<ModelHarness>(model);
  ModelHarness& h = *models[model];
  h.controller.CurrentDocument().Working().Assign(h.initial);
  const std::string& key = h.sheets[(data[0] / RadioModel::kModelTypes) % h.sheets.size()];
  const std::unique_ptr<Sheet> sheet = h.BuildSheet(key);

  const std::vector<CsvTable::Row> before = SheetExporter(*sheet).Table();
  const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
  const SheetImporter::Report report =
      SheetImporter(*sheet, h.controller.Choices(), &h.controller.CurrentDocument().Working())
          .Import(text);

  if (report.taken != static_cast<int>(report.takenCells.size())) std::abort();
  const bool unchanged = Same(h.controller.CurrentDocument().Working(), h.initial);
  if (!report.refusal.empty() && (report.taken != 0 || !unchanged)) std::abort();
  if (report.taken == 0 && !unchanged) std::abort();
  std::vector<bool> rowsTaken(static_cast<std::size_t>(sheet->rowCount()), false);
  for (const SheetImporter::TakenCell& cell : report.takenCells) {
    if (cell.row < 0 || cell.row >= sheet->rowCount() || cell.column < 0 ||
        cell.column >= sheet->columnCount()) {
      std::abort();
    }
    rowsTaken[static_cast<std::size_t>(cell.row)] = true;
  }
  const std::vector<CsvTable::Row> after = SheetExporter(*sheet).Table();
  for (std::size_t row = 0; row < after.size(); ++row) {
    if (after[row] != before[row] && !rowsTaken[row]) std::abort();
  }
  return 0;
}
