// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

namespace rtv {

class EepromImage;

// After a clone read: each DSC ID list keeps only IDs of its own kind, in their former
// order and without gaps; an ID found in the wrong list is appended to the other one (and
// stays in its own when the other is full).
class IdListSorter {
 public:
  // Does nothing to an image smaller than the memory map.
  static void Sort(EepromImage& image);
};

}  // namespace rtv
