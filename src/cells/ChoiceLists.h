// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "overlay/NameTable.h"

namespace rtv {

class OverlayText;

// One named value of a choice list: a cell of the list's sheet bound to the list's link.
struct Choice {
  int value = 0;     // the cell's index
  std::string name;  // the cell's option, else its text
  int line = 0;      // where the cell stands in the sheet's cells entry
  int position = 0;
};

struct ChoiceList {
  std::vector<Choice> byValue;     // ascending value, file order among equal values
  std::vector<Choice> byPosition;  // column by column, top to bottom
};

// The choice lists that name the values of a cell link after the cells of another sheet.
// A list is read on first use and kept, so it reflects the overlay as it was then.
class ChoiceLists {
 public:
  static constexpr const char* kMissingName = "error";

  explicit ChoiceLists(OverlayText& store);
  ~ChoiceLists();
  ChoiceLists(const ChoiceLists&) = delete;
  ChoiceLists& operator=(const ChoiceLists&) = delete;

  // The list of the cells of `sheetKey` + "_Cells" bound to `cellLink`. Cells are drawn with
  // these on every repaint, so a list once read is found without allocating.
  const ChoiceList& List(std::string_view sheetKey, int cellLink);
  // The name of a value; "error" when no choice has it.
  std::string ChoiceName(std::string_view sheetKey, int cellLink, int value);
  // The value `delta` places away in position order, wrapping at both ends; a value that is
  // not in the list goes to the first choice. A list without choices keeps the value.
  int ChoiceStep(std::string_view sheetKey, int cellLink, int value, int delta);

 private:
  std::unique_ptr<ChoiceList> Build(std::string_view sheetKey, int cellLink);

  OverlayText& store_;
  NameTable index_;
  std::vector<std::unique_ptr<ChoiceList>> lists_;
  std::string lookupKey_;  // "%s#%d", kept to reuse its buffer
};

}  // namespace rtv
