// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <functional>
#include <string>

#include "compare/ImageDifferences.h"
#include "sheet/SheetImporter.h"

class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace rtv {

class DifferencesTable;

// A CSV import before it is applied: the values it would change (now and after the import)
// and what it would leave out, with Apply and Cancel. Cancel leaves everything as it was.
class ImportPreviewWindow : public QDialog {
  Q_OBJECT

 public:
  // `apply` runs when the user chooses Apply.
  ImportPreviewWindow(const std::string& origin, const ImageDifferences& differences,
                      const SheetImporter::Report& report, std::function<void()> apply,
                      QWidget* parent = nullptr);

  DifferencesTable* table() const { return table_; }
  QPlainTextEdit* leftOut() const { return leftOut_; }
  QPushButton* applyButton() const { return apply_; }
  QPushButton* cancelButton() const { return cancel_; }

 private:
  DifferencesTable* table_ = nullptr;
  QPlainTextEdit* leftOut_ = nullptr;
  QPushButton* apply_ = nullptr;
  QPushButton* cancel_ = nullptr;
};

}  // namespace rtv
