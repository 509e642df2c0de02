// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>

namespace rtv {

enum class PromptIcon { None, Information, Warning, Error, Question };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class PromptAnswer { Ok, Cancel, Yes, No };

// What an open or save dialog starts with. Filter is the overlay's filter text
// ("Clone files (*.rtv)|*.rtv|All files (*.*)|*.*").
struct FileDialogRequest {
  std::string title;
  std::string filter;
  std::string defaultExtension;
  std::string folder;
  std::string fileName;
};

// Message boxes and file dialogs: the only way the core talks to the user directly.
class Prompts {
 public:
  virtual ~Prompts() = default;
  virtual PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                               PromptButtons buttons) = 0;
  // The chosen path, or nothing when the user cancelled.
  virtual std::optional<std::string> OpenFileName(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> SaveFileName(const FileDialogRequest& request) = 0;
};

}  // namespace rtv
