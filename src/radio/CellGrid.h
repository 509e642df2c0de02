#pragma once

namespace rtv {

// The grid control that asks for a cell, seen from the item accessor. Its presence in a
// request means keys and in-place editing apply; the grid widget implements it and adds
// what the accessor asks of it (opening a choice popup next to the cell).
class CellGrid {
 public:
  virtual ~CellGrid() = default;
};

}  // namespace rtv
