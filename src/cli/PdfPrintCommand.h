// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>

namespace rtv::tools {

class CloneTool;

// The print command: sheets of a clone file into a PDF file, without a display.
class PdfPrintCommand {
 public:
  // `sheet` empty: every sheet of the tree. `fontChoice` 1…5 stands for 8…12 points. An
  // existing output is replaced only with `force`.
  PdfPrintCommand(std::string input, std::string sheet, std::string output, int fontChoice,
                  bool force);
  // Makes the offscreen application the painting needs, then prints; the exit status.
  int Run(int argc, char** argv, CloneTool& tool) const;

 private:
  std::string input_;
  std::string sheet_;
  std::string output_;
  int fontChoice_;
  bool force_;
};

}  // namespace rtv::tools
