// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/EditSteps.h"

#include "radio/EepromImage.h"

namespace rtv {

void EditSteps::InputStarting(std::string what, EditPlace place) {
  if (depth_ > 0) return;
  pendingWhat_ = std::move(what);
  pendingPlace_ = std::move(place);
}

void EditSteps::Record() {
  if (depth_ > 0) return;
  if (history_.Record(working_, pendingWhat_.empty() ? std::string("Edit") : pendingWhat_,
                      pendingPlace_) &&
      recorded_) {
    recorded_();
  }
}

void EditSteps::Begin(std::string what, EditPlace place) {
  // Every write is recorded as it happens, so nothing is pending here; a write that was not
  // joins this step.
  if (depth_++ > 0) return;
  pendingWhat_ = std::move(what);
  pendingPlace_ = std::move(place);
}

bool EditSteps::End() {
  if (depth_ == 0 || --depth_ > 0) return false;
  Record();
  return true;
}

void EditSteps::StartNew(bool unsaved) {
  history_.Reset(working_);
  if (unsaved) history_.MarkUnsaved();
  pendingWhat_.clear();
}

void EditSteps::MarkSaved() {
  // A save normalises the image first: those changes are the program's, not a step.
  history_.Absorb(working_);
  history_.MarkClean();
}

std::optional<EditSteps::StepInfo> EditSteps::Undo() {
  Record();  // anything not yet recorded is the step to take back
  return history_.Undo(working_);
}

std::optional<EditSteps::StepInfo> EditSteps::Redo() {
  Record();
  return history_.Redo(working_);
}

std::string EditSteps::UndoCaption() const {
  const StepInfo* step = history_.NextUndo();
  return step != nullptr ? "Undo " + step->what : std::string("Undo");
}

std::string EditSteps::RedoCaption() const {
  const StepInfo* step = history_.NextRedo();
  return step != nullptr ? "Redo " + step->what : std::string("Redo");
}

}  // namespace rtv
