// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/RecoveryFile.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/Document.h"
#include "app/FileCommands.h"
#include "app/MainController.h"
#include "app/MainView.h"
#include "base/Message.h"
#include "base/MessageBus.h"
#include "base/Prompts.h"
#include "platform/posix/RegularFile.h"
#include "platform/posix/SafeSave.h"
#include "radio/EepromImage.h"

namespace rtv {
namespace {

constexpr std::size_t kMaxNoteBytes = 64 * 1024;

std::string TimeText(std::time_t when) {
  std::tm local{};
  ::localtime_r(&when, &local);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%d %H:%M", &local);
  return text;
}

}  // namespace

std::string RecoveryFile::DefaultFolder() {
  const char* state = std::getenv("XDG_STATE_HOME");
  std::string folder;
  if (state != nullptr && *state == '/') {
    folder = state;
  } else {
    const char* home = std::getenv("HOME");
    folder = std::string(home != nullptr ? home : ".") + "/.local/state";
  }
  return folder + "/Vrel/RT-V612";
}

RecoveryFile::RecoveryFile(MainController& controller, Document& document, FileCommands& files,
                           Prompts& prompts, std::string folder)
    : controller_(controller),
      document_(document),
      files_(files),
      prompts_(prompts),
      folder_(std::move(folder)) {}

bool RecoveryFile::SaveUnsaved(std::time_t now) {
  // A cell being edited holds changes too.
  controller_.Bus().Send(msg::CommitEdits{});
  if (!document_.IsDirty()) return true;
  std::error_code ignored;
  std::filesystem::create_directories(folder_, ignored);
  // The image first: a note without its image offers nothing.
  EepromImage image(document_.Working());
  if (!files_.WriteImageFile(ImagePath(), image)) return false;
  const std::string note = document_.FileName() + "\n" + TimeText(now) + "\n";
  return SafeSave(NotePath(), note) == SafeSaveResult::kOk;
}

bool RecoveryFile::Offer() {
  const RegularFileText note = ReadRegularFile(NotePath(), kMaxNoteBytes);
  if (!note.Ok()) return false;
  const std::string::size_type end = note.contents.find('\n');
  const std::string path = note.contents.substr(0, end);
  const std::string::size_type timeEnd =
      end == std::string::npos ? end : note.contents.find('\n', end + 1);
  const std::string when =
      end == std::string::npos ? std::string() : note.contents.substr(end + 1, timeEnd - end - 1);
  const std::string name =
      path.empty() ? "Untitled" : std::filesystem::path(path).filename().string();

  const PromptAnswer answer =
      prompts_.Message("Recover the changes of " + name + " from " + when + "?",
                       controller_.ApplicationTitle(), PromptIcon::Question, PromptButtons::YesNo);
  if (answer != PromptAnswer::Yes && answer != PromptAnswer::No) return false;
  bool recovered = false;
  EepromImage image;
  if (answer == PromptAnswer::Yes && files_.ReadImageFile(ImagePath(), image)) {
    document_.Working().Assign(image);
    controller_.AfterLoad(document_.Working());
    document_.SetFileName(path);
    document_.MarkDirty();
    if (controller_.View() != nullptr) controller_.View()->CloseCurrentSheet();
    controller_.Bus().Send(msg::ImageReplaced{});
    recovered = true;
  }
  Discard();
  return recovered;
}

void RecoveryFile::Discard() {
  ::unlink(NotePath().c_str());
  ::unlink(ImagePath().c_str());
}

}  // namespace rtv
