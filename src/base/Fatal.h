// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv {

class Prompts;

// Faults in the program's own data or logic end the process: the message is shown with
// the executable's file name as caption and an error icon, then the process exits with
// status 3 without saving anything.
[[noreturn]] void FatalError(const std::string& text);

// Where FatalError shows its box; without prompts it writes to standard error only.
void SetFatalPrompts(Prompts* prompts);
// The caption of fatal boxes: the executable's file name without folder.
void SetExecutableName(const std::string& name);
const std::string& ExecutableName();

}  // namespace rtv
