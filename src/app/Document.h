// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "app/EditSteps.h"
#include "radio/EditHistory.h"
#include "radio/EepromImage.h"

namespace rtv {

class DocumentTitleView;

// The user's document: the working image with the images it is measured against (the
// model's template, the image as last saved, the reference the debug compare starts from),
// the file it belongs to, whether it holds unsaved changes, its undo history, and the title
// all that implies.
class Document {
 public:
  using StepInfo = EditHistory::StepInfo;

  // Every image starts zero-filled at this size; the history starts there.
  explicit Document(std::int32_t imageSize);
  Document(const Document&) = delete;
  Document& operator=(const Document&) = delete;

  EepromImage& Working() { return working_; }
  const EepromImage& Working() const { return working_; }
  EepromImage& Template() { return template_; }
  const EepromImage& Template() const { return template_; }
  EepromImage& Reference() { return reference_; }
  const EepromImage& Reference() const { return reference_; }

  // The title, named after the program, shows in `view` from its next change on (the main
  // window redraws its start page with every title); null: nowhere.
  void ShowTitleIn(DocumentTitleView* view, std::string applicationTitle);
  // "boat.rtv - <program>", or "Untitled - <program>" without a file.
  std::string TitleText() const;
  // The full path, or empty for a document never saved or opened.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(const std::string& path);

  // The working image is now what was saved (or what was opened, or the new image).
  void MarkClean();
  // The working image holds changes no file has (a read from a radio).
  void MarkDirty();
  // Marks the document dirty once the working image's clone range differs from the saved
  // one; a dirty document stays so until MarkClean.
  bool CheckDirty();
  bool IsDirty() const { return dirty_; }

  // The undo history.
  const EditHistory& History() const { return steps_.History(); }
  // Runs whenever a step was recorded.
  void SetHistoryChanged(std::function<void()> changed);
  // New, Open, a read and a model change start a new history at the working image.
  void StartNewHistory();
  // Changes the program made (a normalise before writing) are no step the user can undo.
  void AbsorbProgramChanges() { steps_.Absorb(); }
  // An input is about to write: what it writes is a step named `what` at `place`.
  void InputStarting(std::string what, EditPlace place);
  // What was written since the last step becomes one (outside Begin … End); the dirty check
  // follows.
  void RecordWrite();
  // Everything written until EndStep is one step (a CSV import); nested pairs count.
  void BeginStep(std::string what, EditPlace place);
  void EndStep();
  bool InsideStep() const { return steps_.InsideStep(); }
  // Takes back or makes again one step; none when there was none. The document is dirty
  // exactly when the working image then differs from the saved one.
  std::optional<StepInfo> Undo();
  std::optional<StepInfo> Redo();
  // "Undo Clear Rows", or "Undo" when there is nothing to undo; likewise for redo.
  std::string UndoCaption() const { return steps_.UndoCaption(); }
  std::string RedoCaption() const { return steps_.RedoCaption(); }

 private:
  void AfterHistoryMove();
  void ShowTitle();

  EepromImage working_;
  EepromImage template_;
  EepromImage saved_;
  EepromImage reference_;
  EditSteps steps_{working_};
  bool dirty_ = false;
  std::string fileName_;
  std::string applicationTitle_;
  DocumentTitleView* titleView_ = nullptr;
};

}  // namespace rtv
