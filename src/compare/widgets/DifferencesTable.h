// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QTableWidget>

#include "compare/ImageDifferences.h"

namespace rtv {

// The differences of a comparison, one row per cell (sheet, row, column, the two values)
// and one per range of other memory, sortable by any column.
class DifferencesTable : public QTableWidget {
  Q_OBJECT

 public:
  enum class Column { Sheet, Row, Heading, ValueA, ValueB };
  static constexpr int kColumns = 5;
  // What DifferenceOfRow gives for an other-memory line.
  static constexpr int kOtherMemory = -1;
  // Show's filter for the other-memory lines only.
  static constexpr const char* kOtherMemoryKey = "-";

  // `headingA` and `headingB` name the two value columns.
  DifferencesTable(const QString& headingA, const QString& headingB, QWidget* parent = nullptr);

  // Lists the differences of the sheet `sheetKey`; all of them when it is empty.
  void Show(const ImageDifferences& differences, const QString& sheetKey = {});
  // The index of the difference a table row stands for, or kOtherMemory.
  int DifferenceOfRow(int row) const;
  // "1 difference." or "3 differences.": every line the table lists.
  static QString CountText(const ImageDifferences& differences);
};

}  // namespace rtv
