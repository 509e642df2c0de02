// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "radio/EepromImage.h"

namespace rtv {

// Where a step happened: the sheet and the cell the user worked on.
struct EditPlace {
  std::string sheet;
  int cellLink = 0;
  int index = 0;
};

// The undo history of the working image. Each step keeps only the bytes it changed, before
// and after; a step is found by comparing the image with the image after the last step.
// Undo and redo write back exactly the bytes of one step, so no step can reach outside the
// image or leave half of a row restored. The history knows which step the saved file holds.
class EditHistory {
 public:
  static constexpr std::size_t kDefaultStepLimit = 1000;

  struct StepInfo {
    std::string what;  // "Clear Rows", "Name"
    EditPlace place;
  };

  explicit EditHistory(std::size_t stepLimit = kDefaultStepLimit);

  // A new history that starts at `image`, which is also the saved state.
  void Reset(const EepromImage& image);
  // The image's differences from the state after the last step become one step; false, and
  // no step, when there are none. Redo steps are dropped by a new step.
  bool Record(const EepromImage& image, const std::string& what, const EditPlace& place);
  // Changes that are not to be undone (made by the program, not the user) become part of the
  // current state without a step.
  void Absorb(const EepromImage& image);

  bool CanUndo() const { return position_ > 0; }
  bool CanRedo() const { return position_ < steps_.size(); }
  // The step Undo or Redo would take back or make again; null when there is none.
  const StepInfo* NextUndo() const;
  const StepInfo* NextRedo() const;
  // Writes the bytes before the last step back into `image`; nothing when there is no step
  // or the image is not the size the history was started with.
  std::optional<StepInfo> Undo(EepromImage& image);
  std::optional<StepInfo> Redo(EepromImage& image);

  // The current state is the saved one.
  void MarkClean();
  // No state of the history is the saved one (an image read from the radio).
  void MarkUnsaved() { clean_.reset(); }
  bool IsClean() const { return clean_.has_value() && *clean_ == position_; }

  std::size_t UndoCount() const { return position_; }
  std::size_t RedoCount() const { return steps_.size() - position_; }
  // Bytes the history holds, the image it compares with included.
  std::size_t MemoryUsage() const;

 private:
  // A run of changed bytes: `length` bytes from `address`, the old ones at `offset` in the
  // step's byte store and the new ones right after them.
  struct Run {
    std::int32_t address;
    std::int32_t length;
    std::size_t offset;
  };
  struct Step {
    StepInfo info;
    std::vector<Run> runs;
    std::vector<std::uint8_t> bytes;
  };

  void Apply(const Step& step, EepromImage& image, bool after);

  std::size_t stepLimit_;
  std::deque<Step> steps_;
  std::size_t position_ = 0;          // steps done; steps_[position_] is the next redo
  std::optional<std::size_t> clean_;  // the position of the saved state, when reachable
  EepromImage current_;               // the image after the steps done
};

}  // namespace rtv
