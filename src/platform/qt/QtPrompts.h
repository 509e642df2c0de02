// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QWidget>

#include "base/Prompts.h"

namespace rtv {

// Message boxes and the native file dialogs, owned by the main window once it exists.
class QtPrompts : public Prompts {
 public:
  // Lines of a message the box shows; the whole text of a longer one is in its details.
  static constexpr int kMaxMessageLines = 20;

  void SetOwner(QWidget* owner) { owner_ = owner; }
  // The program is ending from outside: every question, also one on show, is answered
  // Cancel, every file dialog cancelled, and no box opens any more.
  void StopAsking() { stopped_ = true; }

  PromptAnswer Message(const std::string& text, const std::string& caption, PromptIcon icon,
                       PromptButtons buttons) override;
  std::optional<std::string> OpenFileName(const FileDialogRequest& request) override;
  std::optional<std::string> SaveFileName(const FileDialogRequest& request) override;

 private:
  QPointer<QWidget> owner_;
  bool stopped_ = false;
};

// "Clone files (*.rtv)|*.rtv|All files|*" becomes "Clone files (*.rtv);;All files (*)".
QString ToQtFilter(const std::string& filter);

}  // namespace rtv
