// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/widgets/DifferencesWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <set>

#include "app/ImageCompareCommands.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "base/Prompts.h"

namespace rtv {
namespace {

constexpr int kDifferenceRole = Qt::UserRole;
constexpr int kOtherMemory = -1;

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

DifferencesWindow::DifferencesWindow(MainController& controller, const std::string& origin,
                                     const EepromImage& other, QWidget* parent)
    : QDialog(parent), controller_(controller), other_(other) {
  setObjectName("DifferencesWindow");
  setWindowTitle(tr("Compare with File"));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(tr("A: the program's memory    B: %1").arg(Text(origin)));
  heading->setWordWrap(true);
  layout->addWidget(heading);
  summary_ = new QLabel;
  layout->addWidget(summary_);

  auto* filterRow = new QHBoxLayout;
  filterRow->addWidget(new QLabel(tr("Sheet:")));
  filter_ = new QComboBox;
  filterRow->addWidget(filter_, 1);
  layout->addLayout(filterRow);

  table_ = new QTableWidget(0, kColumns);
  table_->setHorizontalHeaderLabels({tr("Sheet"), tr("Row"), tr("Column"), tr("A"), tr("B")});
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  table_->setSelectionMode(QAbstractItemView::ExtendedSelection);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->verticalHeader()->hide();
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_, 1);

  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close);
  take_ = buttons->addButton(tr("&Take B's Value"), QDialogButtonBox::ActionRole);
  take_->setEnabled(false);
  layout->addWidget(buttons);
  resize(720, 420);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
  connect(take_, &QPushButton::clicked, this, &DifferencesWindow::TakeSelected);
  connect(filter_, &QComboBox::currentIndexChanged, this, [this] { Fill(); });
  connect(table_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { ShowCellOfRow(row); });
  connect(table_, &QTableWidget::itemSelectionChanged, this, [this] {
    bool any = false;
    for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
      any = any || DifferenceOfRow(index.row()) != kOtherMemory;
    }
    take_->setEnabled(any);
  });
  Compare();
}

void DifferencesWindow::Compare() {
  differences_ = controller_.Comparisons().CompareWith(other_);
  const QString kept = filter_->currentData().toString();
  {
    const QSignalBlocker quiet(filter_);
    filter_->clear();
    filter_->addItem(tr("All sheets"), QString());
    std::set<std::string> listed;
    for (const ImageDifferences::Cell& cell : differences_.cells) {
      if (listed.insert(cell.sheetKey()).second) {
        filter_->addItem(Text(cell.sheetTitle()), Text(cell.sheetKey()));
      }
    }
    if (!differences_.otherMemory.empty()) filter_->addItem(tr("Other memory"), "-");
    filter_->setCurrentIndex(std::max(filter_->findData(kept), 0));
  }
  const std::size_t count = differences_.cells.size() + differences_.otherMemory.size();
  summary_->setText(differences_.Same()
                        ? tr("No differences.")
                        : tr("%n difference(s).", nullptr, static_cast<int>(count)));
  Fill();
}

void DifferencesWindow::Fill() {
  const QString sheet = filter_->currentData().toString();
  table_->setSortingEnabled(false);
  table_->setRowCount(0);
  const auto add = [this](int difference, const QStringList& texts) {
    const int row = table_->rowCount();
    table_->insertRow(row);
    for (int column = 0; column < kColumns; ++column) {
      auto* item = new QTableWidgetItem(texts.value(column));
      item->setData(kDifferenceRole, difference);
      table_->setItem(row, column, item);
    }
  };
  for (std::size_t i = 0; i < differences_.cells.size(); ++i) {
    const ImageDifferences::Cell& cell = differences_.cells[i];
    if (!sheet.isEmpty() && Text(cell.sheetKey()) != sheet) continue;
    add(static_cast<int>(i), {Text(cell.sheetTitle()), Text(cell.rowLabel),
                              Text(cell.columnHeading), Text(cell.valueA), Text(cell.valueB)});
    // The other sheets that show the same item, where it does not crowd the table.
    if (!cell.alsoIn.empty()) {
      table_->item(table_->rowCount() - 1, 0)
          ->setToolTip(tr("Also in %1").arg(Text(ImageDifferences::AlsoIn(cell))));
    }
  }
  if (sheet.isEmpty() || sheet == "-") {
    for (const AddressRange& range : differences_.otherMemory) {
      add(kOtherMemory, {tr("Other memory"), Text(ImageDifferences::OtherMemoryLine(range)).mid(14),
                         QString(), QString(), QString()});
    }
  }
  table_->setSortingEnabled(true);
  table_->resizeColumnsToContents();
  take_->setEnabled(false);
}

int DifferencesWindow::DifferenceOfRow(int row) const {
  const QTableWidgetItem* item = table_->item(row, 0);
  return item != nullptr ? item->data(kDifferenceRole).toInt() : kOtherMemory;
}

void DifferencesWindow::ShowCellOfRow(int row) {
  const int difference = DifferenceOfRow(row);
  if (difference == kOtherMemory || controller_.View() == nullptr) return;
  const ImageDifferences::Place& place =
      differences_.cells[static_cast<std::size_t>(difference)].place;
  controller_.View()->ShowEditPlace(place.sheetKey, place.link, place.index);
}

void DifferencesWindow::TakeSelected() {
  std::vector<std::size_t> chosen;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
    const int difference = DifferenceOfRow(index.row());
    if (difference != kOtherMemory) chosen.push_back(static_cast<std::size_t>(difference));
  }
  if (chosen.empty()) return;
  const SheetImporter::Report report = controller_.Comparisons().TakeValues(differences_, chosen);
  if (!report.Clean()) {
    controller_.UserPrompts().Message(report.Summary().c_str(), controller_.ApplicationTitle(),
                                      PromptIcon::Warning, PromptButtons::Ok);
  }
  Compare();
}

}  // namespace rtv
