// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ServiceModes.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "base/Prompts.h"
#include "overlay/OverlayText.h"

namespace rtv {
namespace {

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

void ServiceModes::ApplyCommandLine() {
  for (const std::string& argument : arguments_) {
    if (Lower(argument) == kMakerSwitch) {
      MakerOn();
      break;
    }
  }
  for (const std::string& argument : arguments_) {
    if (Lower(argument) == kAdjustSwitch) {
      adjustRequested_ = true;
      AdjustOn();
      break;
    }
  }
}

bool ServiceModes::Confirm(const char* key) {
  return prompts_.Message(overlay_.GetText(key), overlay_.GetFirstLine("GI_Sys_AppTitle"),
                          PromptIcon::Warning, PromptButtons::OkCancel) == PromptAnswer::Ok;
}

void ServiceModes::MakerOn() {
  if (maker_) return;
  if (!Confirm("GI_Mess_Maker_Caution")) return;
  maker_ = true;
  if (turnedOn_) turnedOn_(Mode::Maker);
}

void ServiceModes::AdjustOn() {
  if (adjust_) return;
  adjust_ = true;
  if (turnedOn_) turnedOn_(Mode::Adjust);
}

void ServiceModes::KeyTyped(char character) {
  typed_ += static_cast<char>(std::tolower(static_cast<unsigned char>(character)));
  const std::size_t length = std::strlen(kMakerWord);
  if (typed_.size() > length) typed_.erase(0, typed_.size() - length);
  if (typed_ == kMakerWord) {
    typed_.clear();
    MakerOn();
  }
}

bool ServiceModes::MakerWriteAllowed() { return !maker_ || Confirm("GI_Mess_Maker_Caution"); }

void ServiceModes::EndAdjustUnlessRequested() {
  if (!adjustRequested_) adjust_ = false;
}

}  // namespace rtv
