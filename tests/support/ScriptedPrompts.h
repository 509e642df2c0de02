// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "base/Prompts.h"

namespace rtv::test {

// Answers message boxes and file dialogs from a script and records what was shown.
class ScriptedPrompts : public Prompts {
 public:
  struct Shown {
    std::string text;
    std::string caption;
    PromptIcon icon;
    PromptButtons buttons;
  };

  PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                       PromptButtons buttons) override;
  std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;

  // Answers used in order; without one, Ok/Yes.
  std::deque<PromptAnswer> answers;
  // Paths the file dialogs return in order; an empty text is a cancelled dialog.
  std::deque<std::string> fileNames;

  std::vector<Shown> shown;
  std::vector<FileDialogRequest> dialogs;
};

}  // namespace rtv::test
