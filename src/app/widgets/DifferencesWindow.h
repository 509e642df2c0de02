// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <string>

#include "radio/EepromImage.h"
#include "sheet/ImageDifferences.h"

class QComboBox;
class QLabel;
class QPushButton;
class QTableWidget;

namespace rtv {

class MainController;

// Compare with File: what differs between the working image (A) and another (B), one row
// per cell, sortable and filtered by sheet. A double-click shows the cell in its sheet;
// Take B's Value types B's value into the selected cells of the working image.
class DifferencesWindow : public QDialog {
  Q_OBJECT

 public:
  enum class Column { Sheet, Row, Heading, ValueA, ValueB };
  static constexpr int kColumns = 5;

  DifferencesWindow(MainController& controller, const std::string& origin, const EepromImage& other,
                    QWidget* parent = nullptr);

  QTableWidget* table() const { return table_; }
  QComboBox* sheetFilter() const { return filter_; }
  QPushButton* takeButton() const { return take_; }
  const ImageDifferences& differences() const { return differences_; }

 private:
  void Compare();
  void Fill();
  void ShowCellOfRow(int row);
  void TakeSelected();
  // The difference a table row stands for; -1 for an other-memory line.
  int DifferenceOfRow(int row) const;

  MainController& controller_;
  EepromImage other_;
  ImageDifferences differences_;
  QLabel* summary_ = nullptr;
  QComboBox* filter_ = nullptr;
  QTableWidget* table_ = nullptr;
  QPushButton* take_ = nullptr;
};

}  // namespace rtv
