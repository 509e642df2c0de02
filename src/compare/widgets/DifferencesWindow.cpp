// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/widgets/DifferencesWindow.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <set>

#include "compare/DifferenceActions.h"
#include "compare/widgets/DifferencesTable.h"

namespace rtv {
namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

DifferencesWindow::DifferencesWindow(DifferenceActions& actions, const std::string& title,
                                     const std::string& origin, const EepromImage& other,
                                     QWidget* parent)
    : QDialog(parent), actions_(actions), other_(other) {
  setObjectName("DifferencesWindow");
  setWindowTitle(Text(title));
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

  table_ = new DifferencesTable(tr("A"), tr("B"));
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
      any = any || table_->DifferenceOfRow(index.row()) != DifferencesTable::kOtherMemory;
    }
    take_->setEnabled(any);
  });
  Compare();
}

void DifferencesWindow::Compare() {
  differences_ = actions_.CompareWith(other_);
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
    if (!differences_.otherMemory.empty()) {
      filter_->addItem(tr("Other memory"), DifferencesTable::kOtherMemoryKey);
    }
    filter_->setCurrentIndex(std::max(filter_->findData(kept), 0));
  }
  summary_->setText(differences_.Same() ? tr("No differences.")
                                        : DifferencesTable::CountText(differences_));
  Fill();
}

void DifferencesWindow::Fill() {
  table_->Show(differences_, filter_->currentData().toString());
  take_->setEnabled(false);
}

void DifferencesWindow::ShowCellOfRow(int row) {
  const int difference = table_->DifferenceOfRow(row);
  if (difference == DifferencesTable::kOtherMemory) return;
  actions_.ShowPlace(differences_.cells[static_cast<std::size_t>(difference)].place);
}

void DifferencesWindow::TakeSelected() {
  std::vector<std::size_t> chosen;
  for (const QModelIndex& index : table_->selectionModel()->selectedRows()) {
    const int difference = table_->DifferenceOfRow(index.row());
    if (difference != DifferencesTable::kOtherMemory) {
      chosen.push_back(static_cast<std::size_t>(difference));
    }
  }
  if (chosen.empty()) return;
  const SheetImporter::Report report = actions_.TakeValues(differences_, chosen);
  if (!report.Clean()) actions_.Warn(report.Summary());
  Compare();
}

}  // namespace rtv
