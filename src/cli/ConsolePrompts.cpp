// SPDX-License-Identifier: GPL-3.0-or-later
#include "cli/ConsolePrompts.h"

#include <cstdio>

namespace rtv::tools {

PromptAnswer ConsolePrompts::Message(const std::string& text, const std::string& caption,
                                     PromptIcon, PromptButtons buttons) {
  std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
  switch (buttons) {
    case PromptButtons::Ok:
      return PromptAnswer::Ok;
    case PromptButtons::YesNo:
      return PromptAnswer::No;
    default:
      return PromptAnswer::Cancel;
  }
}

std::optional<std::string> ConsolePrompts::OpenFileName(const FileDialogRequest&) {
  return std::nullopt;
}

std::optional<std::string> ConsolePrompts::SaveFileName(const FileDialogRequest&) {
  return std::nullopt;
}

}  // namespace rtv::tools
