// SPDX-License-Identifier: GPL-3.0-or-later
// Feeds arbitrary bytes to the CSV table reader alone, without sheets, so that it runs
// thousands of inputs a second. The first byte picks the separator and how many rows are
// kept. Reading must never crash; the counts must agree; and the rows read, written and read
// again must come back the same, without a problem.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "sheet/CsvTable.h"

namespace {

using rtv::CsvTable;

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const char separator = (data[0] & 1) != 0 ? CsvTable::kTab : CsvTable::kComma;
  const std::size_t keptRows = (data[0] & 2) != 0 ? std::size_t{data[0]} >> 2 : SIZE_MAX;
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
  const CsvTable table = CsvTable::Read(text, keptRows, separator);

  Check(table.rows().size() == table.rowLines().size());
  Check(table.rows().size() <= keptRows && table.rows().size() <= table.rowCount());
  Check(table.filledRowCount() <= table.rowCount());
  Check(table.rowCount() <= text.size());
  int previousLine = 0;
  for (std::size_t row = 0; row < table.rows().size(); ++row) {
    Check(!table.rows()[row].empty());
    Check(table.rowLines()[row] > previousLine);
    Check(table.LineOfRow(row) == table.rowLines()[row]);
    previousLine = table.rowLines()[row];
  }
  if (keptRows != SIZE_MAX) return 0;
  Check(table.rows().size() == table.rowCount());

  // A first field that starts with a byte order mark loses it when read back, as it would
  // in any reader; nothing else may change.
  if (!table.rows().empty() && table.rows()[0][0].starts_with(kByteOrderMark)) return 0;
  const CsvTable again =
      CsvTable::Read(CsvTable::Write(table.rows(), separator), SIZE_MAX, separator);
  Check(again.rows() == table.rows());
  Check(again.problems().empty());
  return 0;
}
