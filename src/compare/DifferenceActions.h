// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "compare/ImageDifferences.h"
#include "sheet/SheetImporter.h"

namespace rtv {

class EepromImage;

// What the differences window asks of the program: the comparison made again, B's values
// taken, a cell shown in its sheet, a warning told.
class DifferenceActions {
 public:
  virtual ~DifferenceActions() = default;
  virtual ImageDifferences CompareWith(const EepromImage& other) = 0;
  // B's values of the chosen differences, typed into the working image's cells through the
  // same editors and checks as typing; one step to undo. What was not taken is reported.
  virtual SheetImporter::Report TakeValues(const ImageDifferences& differences,
                                           const std::vector<std::size_t>& chosen) = 0;
  virtual void ShowPlace(const ImageDifferences::Place& place) = 0;
  virtual void Warn(const std::string& text) = 0;
};

}  // namespace rtv
