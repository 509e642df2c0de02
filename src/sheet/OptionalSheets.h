#pragma once

namespace rtv {

// Which optional sheets the tree shows: the region sheets follow the image's region flags;
// nodes of the other classes go unless their mode or model allows them.
struct OptionalSheets {
  bool usaChannels = false;
  bool canadianChannels = false;
  bool weatherChannels = false;
  bool modelSheets = true;    // class Flag4: not for model types 0 and 6
  bool makerSheets = false;   // class Flag0
  bool adjustSheets = false;  // class Flag6
};

}  // namespace rtv
