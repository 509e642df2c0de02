// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QDialog>
#include <string>

#include "compare/ImageDifferences.h"
#include "radio/EepromImage.h"

class QComboBox;
class QLabel;
class QPushButton;

namespace rtv {

class DifferencesTable;
class DifferenceActions;

// Compare with File and Compare with Radio: what differs between the working image (A) and
// another (B), one row per cell, sortable and filtered by sheet. A double-click shows the
// cell in its sheet; Take B's Value types B's value into the selected cells of the working
// image.
class DifferencesWindow : public QDialog {
  Q_OBJECT

 public:
  // `title` names the command, `origin` where B came from.
  DifferencesWindow(DifferenceActions& actions, const std::string& title, const std::string& origin,
                    const EepromImage& other, QWidget* parent = nullptr);

  DifferencesTable* table() const { return table_; }
  QComboBox* sheetFilter() const { return filter_; }
  QPushButton* takeButton() const { return take_; }
  const ImageDifferences& differences() const { return differences_; }

 private:
  void Compare();
  void Fill();
  void ShowCellOfRow(int row);
  void TakeSelected();

  DifferenceActions& actions_;
  EepromImage other_;
  ImageDifferences differences_;
  QLabel* summary_ = nullptr;
  QComboBox* filter_ = nullptr;
  DifferencesTable* table_ = nullptr;
  QPushButton* take_ = nullptr;
};

}  // namespace rtv
