// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/Document.h"

#include "app/DocumentTitleView.h"

namespace rtv {

Document::Document(std::int32_t imageSize) {
  working_.SetSize(imageSize);
  working_.Fill(0);
  template_.Assign(working_);
  // The saved image starts empty; the first MarkClean fills it.
  steps_.StartNew(false);
}

void Document::ShowTitleIn(DocumentTitleView* view, std::string applicationTitle) {
  titleView_ = view;
  applicationTitle_ = std::move(applicationTitle);
}

std::string Document::TitleText() const {
  std::string name = fileName_;
  const auto slash = name.find_last_of('/');
  if (slash != std::string::npos) name.erase(0, slash + 1);
  if (name.empty()) name = "Untitled";
  return name + " - " + applicationTitle_;
}

void Document::ShowTitle() {
  if (titleView_ == nullptr) return;
  titleView_->SetTitle(TitleText());
  titleView_->SetModified(dirty_);
}

void Document::SetFileName(const std::string& path) {
  fileName_ = path;
  ShowTitle();
}

void Document::MarkClean() {
  saved_.Assign(working_);
  dirty_ = false;
  steps_.MarkSaved();
  ShowTitle();
}

void Document::MarkDirty() {
  dirty_ = true;
  ShowTitle();
}

bool Document::CheckDirty() {
  if (!dirty_ && RangesDiffer(working_, saved_, kCloneRanges)) MarkDirty();
  return dirty_;
}

void Document::SetHistoryChanged(std::function<void()> changed) {
  steps_.SetRecorded(std::move(changed));
}

void Document::StartNewHistory() { steps_.StartNew(dirty_); }

void Document::InputStarting(std::string what, EditPlace place) {
  steps_.InputStarting(std::move(what), std::move(place));
}

void Document::RecordWrite() {
  steps_.Record();
  CheckDirty();
}

void Document::BeginStep(std::string what, EditPlace place) {
  steps_.Begin(std::move(what), std::move(place));
}

void Document::EndStep() {
  if (steps_.End()) CheckDirty();
}

std::optional<Document::StepInfo> Document::Undo() {
  std::optional<StepInfo> step = steps_.Undo();
  if (step) AfterHistoryMove();
  return step;
}

std::optional<Document::StepInfo> Document::Redo() {
  std::optional<StepInfo> step = steps_.Redo();
  if (step) AfterHistoryMove();
  return step;
}

void Document::AfterHistoryMove() {
  dirty_ = RangesDiffer(working_, saved_, kCloneRanges);
  ShowTitle();
}

}  // namespace rtv
