// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "base/Prompts.h"

namespace rtv::tools {

// Message boxes as lines on standard error. Nobody is there to answer: questions get
// their cautious answer (Cancel, No) and file dialogs are cancelled.
class ConsolePrompts : public Prompts {
 public:
  PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                       PromptButtons buttons) override;
  std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;
};

}  // namespace rtv::tools
