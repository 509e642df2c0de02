// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/Fatal.h"

#include <cstdio>
#include <cstdlib>

#include "base/Prompts.h"

namespace rtv {
namespace {

Prompts* g_prompts = nullptr;

std::string& ExeName() {
  static std::string name = "rtv612";
  return name;
}

}  // namespace

void SetFatalPrompts(Prompts* prompts) { g_prompts = prompts; }

void SetExecutableName(const std::string& name) { ExeName() = name; }

const std::string& ExecutableName() { return ExeName(); }

void FatalError(const std::string& text) {
  std::fprintf(stderr, "%s: %s\n", ExeName().c_str(), text.c_str());
  std::fflush(stderr);
  if (g_prompts != nullptr) {
    Prompts* prompts = g_prompts;
    g_prompts = nullptr;  // a fault while showing the box must not recurse
    prompts->Message(text, ExeName(), PromptIcon::Error, PromptButtons::Ok);
  }
  std::_Exit(3);
}

}  // namespace rtv
