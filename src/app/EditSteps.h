// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "radio/EditHistory.h"

namespace rtv {

class EepromImage;

// The user's work on the working image as steps for Undo and Redo. An input names the step
// it makes (after what it reached, and where); a command that writes many times, such as a
// CSV import, is one step from Begin to End.
class EditSteps {
 public:
  using StepInfo = EditHistory::StepInfo;

  explicit EditSteps(EepromImage& working) : working_(working) { history_.Reset(working_); }

  // Called when a step was recorded.
  void SetRecorded(std::function<void()> recorded) { recorded_ = std::move(recorded); }
  const EditHistory& History() const { return history_; }

  // Inside Begin … End every write belongs to that step.
  bool InsideStep() const { return depth_ > 0; }
  // An input is about to reach a cell: what it writes is a step named `what` at `place`.
  void InputStarting(std::string what, EditPlace place);
  // What was written since the last step becomes one (outside Begin … End).
  void Record();
  // Nested calls count; the outermost pair makes the step. End is true when it ended one.
  void Begin(std::string what, EditPlace place);
  bool End();

  // A new history at the working image; `unsaved` when that image differs from the saved one.
  void StartNew(bool unsaved);
  // The program's own changes (a normalise) are no step.
  void Absorb() { history_.Absorb(working_); }
  // The working image was saved.
  void MarkSaved();

  // What is not recorded yet is recorded first; none when there is nothing to move over.
  std::optional<StepInfo> Undo();
  std::optional<StepInfo> Redo();
  // "Undo Clear Rows", or "Undo" when there is nothing to undo; likewise for redo.
  std::string UndoCaption() const;
  std::string RedoCaption() const;

 private:
  EepromImage& working_;
  EditHistory history_;
  std::function<void()> recorded_;
  std::string pendingWhat_;
  EditPlace pendingPlace_;
  int depth_ = 0;
};

}  // namespace rtv
