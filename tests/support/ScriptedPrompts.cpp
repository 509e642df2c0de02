// SPDX-License-Identifier: GPL-3.0-or-later
#include "ScriptedPrompts.h"

namespace rtv::test {

PromptAnswer ScriptedPrompts::Message(const std::string& text, const std::string& caption,
                                      PromptIcon icon, PromptButtons buttons) {
  shown.push_back({text, caption, icon, buttons});
  if (!answers.empty()) {
    const PromptAnswer answer = answers.front();
    answers.pop_front();
    return answer;
  }
  return buttons == PromptButtons::YesNo || buttons == PromptButtons::YesNoCancel
             ? PromptAnswer::Yes
             : PromptAnswer::Ok;
}

std::optional<std::string> ScriptedPrompts::OpenFileName(const FileDialogRequest& request) {
  dialogs.push_back(request);
  if (fileNames.empty()) return std::nullopt;
  std::string name = fileNames.front();
  fileNames.pop_front();
  if (name.empty()) return std::nullopt;
  return name;
}

std::optional<std::string> ScriptedPrompts::SaveFileName(const FileDialogRequest& request) {
  return OpenFileName(request);
}

}  // namespace rtv::test
