// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/widgets/DifferencesTable.h"

#include <QHeaderView>

namespace rtv {
namespace {

constexpr int kDifferenceRole = Qt::UserRole;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

DifferencesTable::DifferencesTable(const QString& headingA, const QString& headingB,
                                   QWidget* parent)
    : QTableWidget(0, kColumns, parent) {
  setHorizontalHeaderLabels({tr("Sheet"), tr("Row"), tr("Column"), headingA, headingB});
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  horizontalHeader()->setStretchLastSection(true);
  // Tree order until the user sorts by a column.
  horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
}

void DifferencesTable::Show(const ImageDifferences& differences, const QString& sheetKey) {
  setSortingEnabled(false);
  setRowCount(0);
  const auto add = [this](int difference, const QStringList& texts) {
    const int row = rowCount();
    insertRow(row);
    for (int column = 0; column < kColumns; ++column) {
      auto* item = new QTableWidgetItem(texts.value(column));
      item->setData(kDifferenceRole, difference);
      setItem(row, column, item);
    }
  };
  for (std::size_t i = 0; i < differences.cells.size(); ++i) {
    const ImageDifferences::Cell& cell = differences.cells[i];
    if (!sheetKey.isEmpty() && Text(cell.sheetKey()) != sheetKey) continue;
    add(static_cast<int>(i), {Text(cell.sheetTitle()), Text(cell.rowLabel),
                              Text(cell.columnHeading), Text(cell.valueA), Text(cell.valueB)});
    // The other sheets that show the same item, where it does not crowd the table.
    if (!cell.alsoIn.empty()) {
      item(rowCount() - 1, 0)
          ->setToolTip(tr("Also in %1").arg(Text(ImageDifferences::AlsoIn(cell))));
    }
  }
  if (sheetKey.isEmpty() || sheetKey == kOtherMemoryKey) {
    for (const AddressRange& range : differences.otherMemory) {
      // The line without its "Other memory: " lead, which the sheet column says.
      const QString line = Text(ImageDifferences::OtherMemoryLine(range));
      add(kOtherMemory,
          {tr("Other memory"), line.mid(line.indexOf(':') + 2), QString(), QString(), QString()});
    }
  }
  setSortingEnabled(true);
  resizeColumnsToContents();
}

QString DifferencesTable::CountText(const ImageDifferences& differences) {
  const std::size_t count = differences.cells.size() + differences.otherMemory.size();
  return count == 1 ? tr("1 difference.") : tr("%1 differences.").arg(count);
}

int DifferencesTable::DifferenceOfRow(int row) const {
  const QTableWidgetItem* cell = item(row, 0);
  return cell != nullptr ? cell->data(kDifferenceRole).toInt() : kOtherMemory;
}

}  // namespace rtv
