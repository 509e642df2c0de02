#pragma once

#include <string>

#include "radio/CellEditor.h"

namespace rtv {

class ChoiceLists;

// A value named by a choice list: Space and Backspace step through the list, Enter opens
// it as a popup, a popup choice of the list's variant sets the value.
class ChoiceEditor : public CellEditor {
 public:
  ChoiceEditor(ChoiceLists& lists, std::string listKey, int variant, int& value);

 protected:
  void Commit(CellRequest& request) override;
  std::string Text() const override;
  int Key(CellRequest& request, int key) override;

  ChoiceLists& lists_;
  const std::string listKey_;
  const int variant_;
  int& value_;
};

}  // namespace rtv
