// SPDX-License-Identifier: GPL-3.0-or-later
#include "compare/widgets/ImportPreviewWindow.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "compare/widgets/DifferencesTable.h"

namespace rtv {

ImportPreviewWindow::ImportPreviewWindow(const std::string& origin,
                                         const ImageDifferences& differences,
                                         const SheetImporter::Report& report,
                                         std::function<void()> apply, QWidget* parent)
    : QDialog(parent) {
  setObjectName("ImportPreviewWindow");
  setWindowTitle(tr("Import CSV into sheet"));
  auto* layout = new QVBoxLayout(this);
  auto* heading = new QLabel(tr("Importing %1 would change:").arg(QString::fromStdString(origin)));
  heading->setWordWrap(true);
  layout->addWidget(heading);
  layout->addWidget(new QLabel(DifferencesTable::CountText(differences)));
  table_ = new DifferencesTable(tr("Now"), tr("After the import"));
  table_->Show(differences);
  layout->addWidget(table_, 3);

  // What the importer would refuse or not know: columns, rows and cells.
  leftOut_ = new QPlainTextEdit;
  leftOut_->setReadOnly(true);
  leftOut_->setPlainText(QString::fromStdString(report.Text()));
  const int issues = static_cast<int>(report.issues.size());
  auto* leftOutHeading =
      new QLabel(issues == 0 ? tr("Nothing in the file is left out.")
                             : tr("Left out or taken otherwise (%1):").arg(issues));
  layout->addWidget(leftOutHeading);
  layout->addWidget(leftOut_, 1);
  leftOut_->setVisible(issues != 0);

  auto* buttons = new QDialogButtonBox;
  apply_ = buttons->addButton(tr("&Apply"), QDialogButtonBox::AcceptRole);
  cancel_ = buttons->addButton(QDialogButtonBox::Cancel);
  layout->addWidget(buttons);
  resize(720, issues == 0 ? 360 : 480);

  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  connect(apply_, &QPushButton::clicked, this, [this, apply = std::move(apply)] {
    // Kept here: the window may be gone by the time the import has told its report.
    const std::function<void()> run = apply;
    accept();
    run();
  });
}

}  // namespace rtv
