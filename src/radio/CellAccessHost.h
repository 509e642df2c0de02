#pragma once

namespace rtv {

// What the item accessor needs of the controller after an input: the controller
// restarts the warning-check timer and compares the working image with the saved one.
class CellAccessHost {
 public:
  virtual ~CellAccessHost() = default;
  virtual void AfterImageWrite() = 0;
};

}  // namespace rtv
